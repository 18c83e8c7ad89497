// A simulated Windows 7 x64 machine in a temporary directory with the printer "Receipt", and
// this process in the part `winsim props` gives driverui on it: the WINSIM_* environment names
// the machine, the program C:\Windows\System32\driverui.exe, an automation script and the build
// directory of the plug-in library. The machine and the environment go with the object.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "SheetTiming.h"
#include "platform/sim/process/throwaway_machine.h"
#include "tools/driverui/HostReport.h"
#include "tools/driverui/PluginModule.h"

namespace bench {

inline constexpr const char* kBenchPrinter = "Receipt";

// One run of the host: its exit status, the sheet's moments, and the whole run from the
// platform's making to the plug-in's unloading.
struct HostResult {
    int status = -1;
    SheetTimes times;
    Clock::duration whole{};
};

class SimPrinterHost {
public:
    // Null with the reason in `error` when the machine or its printer cannot be made.
    static std::unique_ptr<SimPrinterHost> Create(std::string& error);
    ~SimPrinterHost();
    SimPrinterHost(const SimPrinterHost&) = delete;
    SimPrinterHost& operator=(const SimPrinterHost&) = delete;

    // The automation script the following runs take from its first action.
    void SetScript(const std::string& text);
    // Whether the last run took every action of the script.
    bool ScriptFinished() const;
    // Whether the plug-in library is unloaded again, so each run loads it afresh as each
    // driverui process does.
    static bool PluginUnloaded();

    // The document sheet, as driverui's main shows it: the printer opened, the spooler's forms
    // listed, the plug-in loaded, RunDriverUi, the printer closed; lines go to the transcript.
    HostResult ShowDocumentSheet();
    // The plug-in library as the host finds and loads it for the printer.
    std::unique_ptr<driverui::PluginModule> LoadPlugin(driverui::HostReport& report);

private:
    explicit SimPrinterHost(std::unique_ptr<sim::ThrowawayMachine> machine);
    std::unique_ptr<sim::ThrowawayMachine> machine_;
    std::filesystem::path script_;
};

}  // namespace bench
