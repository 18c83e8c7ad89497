// The installation engine on a whole simulated machine: the example package on a preset, a
// 32-bit setup process whose spooler, services, cabinets and WOW64 calls are the simulator's own.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "package/PackageConfig.h"
#include "package/PackageTypes.h"
#include "platform/sim/state/print_provider.h"
#include "setup/InstallStatus.h"
#include "setup/engine/InstallPlan.h"
#include "tests/support/package_machine.h"

namespace enginetest {

// A preset the package supports and how the wizard installs on it.
struct PresetCase {
    const char* preset;
    int os;             // the OS index the wizard picks there
    bool x64;           // the 64-bit flag
    const char* environment;  // where AddPrinterA needs the driver
    const char* directory;    // that environment's directory below spool\drivers and prtprocs
};

// One installation as the wizard would start it.
struct Choice {
    std::string model = "VTX-58R";
    int series = pkg::kReceipt;
    std::string port = "LPT1:";
    pkg::Flavour flavour = pkg::Flavour::Raster;
    bool setAsDefault = false;
};

// What one run left behind.
struct Outcome {
    std::uint32_t status = 0;  // kInstallFailed or kInstallSucceeded
    std::string text;          // the result text
    std::string printerName;
    std::uint32_t upgradeFlags = 0;
};

class SimEngine {
public:
    // Null (after a test failure) when the machine cannot be made. Sleeps take no real time.
    static std::unique_ptr<SimEngine> Make(const PresetCase& preset);

    // Runs the installation in a new setup process, as one press of the Install button does.
    Outcome Install(const Choice& choice);

    const PresetCase& preset() const { return preset_; }
    const sim::Machine& machine() const { return machine_->machine(); }
    sim::PrintProvider provider() const { return sim::PrintProvider(machine()); }
    testsupport::PackageMachine& packageMachine() { return *machine_; }

    // Files and registry values on the machine, as a test reads them.
    std::string FileOn(const std::string& windowsPath) const;  // "" when missing
    bool Exists(const std::string& windowsPath) const;
    bool Put(const std::string& windowsPath, const std::string& bytes) {
        return machine_->WriteFile(windowsPath, bytes);
    }
    // HKLM values in the native view (where the spooler's keys live).
    std::optional<std::uint32_t> DwordValue(const std::string& key, const char* name) const;
    std::optional<std::string> StringValue(const std::string& key, const char* name) const;
    bool SetDword(const std::string& key, const char* name, std::uint32_t value) const;
    bool SetString(const std::string& key, const char* name, const std::string& value) const;

    // Plays the USB port records the port page writes: the port named under
    // HKLM\SOFTWARE\VORTANE\PORTNAME with its device number (setup.ini
    // [SUPPORTED-USB-DEVICE]), which the package's USB monitor offers as its ports.
    bool RecordUsbPort(const std::string& port, std::uint32_t deviceNumber) const;
    // A fault on a call, as winsim's fault list holds it.
    void Fail(const std::string& call, std::uint32_t error, std::uint32_t times = 0,
              const std::string& target = "") const;

    std::string driverDir() const;     // <system32>\spool\drivers\<dir>
    std::string processorDir() const;  // <system32>\spool\prtprocs\<dir>
    std::string systemDir() const;     // the native system directory

private:
    explicit SimEngine(const PresetCase& preset) : preset_(preset) {}
    PresetCase preset_;
    std::unique_ptr<testsupport::PackageMachine> machine_;
};

inline constexpr const char* kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
inline constexpr const char* kEnvironmentsKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments";

}  // namespace enginetest
