// The uninstallation: the check before a run, and the worker that deletes the ticked candidates.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "uninstall/Inventory.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/WorkerEvents.h"

namespace uninstall {

// Every local printer is opened and read: the first that cannot be opened or read, or that has
// queued jobs, gives the log line that refuses the run. Empty when the run may start.
std::string CheckNoPendingJobs(plat::Platform& platform, const UninstallTexts& texts);

// One row of the candidate list as it stood when the run started.
struct Candidate {
    std::string name;
    bool ticked = false;
};

struct WorkerSettings {
    int osIndex = 0;
    bool is64Bit = false;
    bool hasDriverEx = true;         // DeletePrinterDriverExA was found in winspool
    bool removeUsbDriver = false;    // the USB check box was ticked
    std::string currentDir;          // the package directory, where USBDrv lies
    plat::WindowRef owner = 0;       // the main window, owner of the shell's start of Install
};

// The pauses of the run, in milliseconds of the machine's clock.
inline constexpr std::uint32_t kItemPause = 500;
inline constexpr std::uint32_t kFailurePause = 100;
inline constexpr std::uint32_t kAfterSpoolerRestart = 500;
inline constexpr std::uint32_t kAfterPrinterDeleted = 1000;
inline constexpr std::uint32_t kAfterDriverFailure = 1100;
inline constexpr std::uint32_t kAfterDriver = 1000;
inline constexpr std::uint32_t kInstallStartPause = 500;
inline constexpr std::uint32_t kInstallPoll = 1000;
inline constexpr std::uint32_t kInstallSettlePause = 1500;

// The registry keys the worker deletes (HKEY_LOCAL_MACHINE).
inline constexpr const char* kInstallPrinterKey = "SOFTWARE\\VORTANE\\INSTALLPRINTER";
inline constexpr const char* kPortNameKey = "SOFTWARE\\VORTANE\\PORTNAME";
inline constexpr const char* kMonitorsKey = "SYSTEM\\CURRENTCONTROLSET\\CONTROL\\PRINT\\MONITORS\\";
inline constexpr const char* kGetSysDirError = "Get system Directory error.";

// Deletes the ticked candidates in list order and reports every event into the queue; ends
// with an Ended event. Runs on its own thread; touches no window.
class UninstallWorker {
public:
    UninstallWorker(plat::Platform& platform, const Inventory& inventory,
                    const UninstallTexts& texts, WorkerSettings settings, WorkerEvents& events);

    void Run(const std::vector<Candidate>& candidates);

private:
    enum class Outcome { Next, EndRun };

    Outcome RemoveMonitor(const std::string& name);
    Outcome RemoveProcessor(const std::string& name);
    Outcome RemovePrinter(const std::string& name);
    void RemoveUsbDriver();

    // True when a local printer uses a "ZKCOM" port (the monitor is then logged as in use).
    bool MonitorPortInUse(const std::string& monitorName);
    // Deletes the files of a directory, one at a time; false when one could not be deleted
    // (each failure is logged). With `suspend`, each deletion runs with System32 redirection
    // suspended, and the remaining files are left when suspension fails.
    bool DeleteFiles(const std::string& directory, const std::vector<std::string>& names,
                     bool suspend);
    void Removed(const std::string& name);
    void Log(std::string text) { events_.Log(std::move(text)); }
    void Sleep(std::uint32_t ms) { platform_.system().Sleep(ms); }
    plat::RegView View() const {
        return settings_.is64Bit ? plat::RegView::View64 : plat::RegView::Default;
    }

    plat::Platform& platform_;
    const Inventory& inventory_;
    const UninstallTexts& texts_;
    WorkerSettings settings_;
    WorkerEvents& events_;
    bool restartFlag_ = false;
};

}  // namespace uninstall
