// The check before a run and the deletion of the ticked candidates.
#include "uninstall/UninstallWorker.h"

#include "platform/win_constants.h"
#include "setup/engine/Redirection.h"
#include "uninstall/Candidates.h"
#include "uninstall/RestartSpooler.h"
#include "uninstall/SpoolerReads.h"

namespace uninstall {

namespace {

constexpr std::size_t kPathSize = 260;

// The log line of a printer that could not be read: empty when it was read.
std::string ReadProblem(const UninstallTexts& texts, PrinterRead read, const std::string& name) {
    switch (read) {
    case PrinterRead::Ok: return {};
    case PrinterRead::OpenFailed: return texts.Format("IDS_ERR_OPENPRN", name);
    case PrinterRead::ReadFailed: return texts.Message("IDS_ERR_GETPRNINFO");
    case PrinterRead::NoMemory: return texts.Message("IDS_ERR_ALLOC");
    }
    return {};
}

}  // namespace

std::string CheckNoPendingJobs(plat::Platform& platform, const UninstallTexts& texts) {
    for (const std::string& name : LocalPrinterNames(platform.printerSetup())) {
        PrinterRecord record;
        const PrinterRead read = ReadPrinter(platform.printerSetup(), name, record);
        if (read != PrinterRead::Ok) return ReadProblem(texts, read, name);
        if (record.jobs != 0) return texts.Format("IDS_ERR_HAVEJOB2", name);
    }
    return {};
}

UninstallWorker::UninstallWorker(plat::Platform& platform, const Inventory& inventory,
                                 const UninstallTexts& texts, WorkerSettings settings,
                                 WorkerEvents& events)
    : platform_(platform), inventory_(inventory), texts_(texts), settings_(std::move(settings)),
      events_(events) {}

void UninstallWorker::Run(const std::vector<Candidate>& candidates) {
    restartFlag_ = false;
    for (const Candidate& candidate : candidates) {
        Sleep(kItemPause);
        if (!candidate.ticked) continue;
        Outcome outcome = Outcome::Next;
        switch (inventory_.KindOf(candidate.name)) {
        case ItemKind::Monitor: outcome = RemoveMonitor(candidate.name); break;
        case ItemKind::Processor: outcome = RemoveProcessor(candidate.name); break;
        case ItemKind::Printer: outcome = RemovePrinter(candidate.name); break;
        }
        if (outcome == Outcome::EndRun) {
            events_.Push({WorkerEvent::Kind::Ended, {}, restartFlag_, false});
            return;
        }
    }
    if (settings_.removeUsbDriver) RemoveUsbDriver();
    events_.Push({WorkerEvent::Kind::Ended, {}, restartFlag_, true});
}

void UninstallWorker::Removed(const std::string& name) {
    events_.Push({WorkerEvent::Kind::Removed, name, false, false});
    restartFlag_ = true;
}

bool UninstallWorker::MonitorPortInUse(const std::string& monitorName) {
    plat::PrinterSetup& spooler = platform_.printerSetup();
    for (const std::string& printer : LocalPrinterNames(spooler)) {
        PrinterRecord record;
        if (ReadPrinter(spooler, printer, record) != PrinterRead::Ok) continue;
        if (record.portName.find("ZKCOM") == std::string::npos) continue;
        Log(texts_.Format("IDS_ERR_HAVEJOB1", printer));
        Log(texts_.Format("IDS_USING", monitorName));
        return true;
    }
    return false;
}

UninstallWorker::Outcome UninstallWorker::RemoveMonitor(const std::string& name) {
    plat::PrinterSetup& spooler = platform_.printerSetup();
    Log(texts_.Format("IDS_DELETING1", name));
    if (settings_.osIndex != 0 && MonitorPortInUse(name)) return Outcome::Next;
    const MonitorFiles files = inventory_.ReadMonitorFiles(name);

    const char* environment = DeletionEnvironment(settings_.is64Bit);
    if (!spooler.DeleteMonitorA(environment, name.c_str())) {
        RestartSpooler(platform_);
        Sleep(kAfterSpoolerRestart);
        if (!spooler.DeleteMonitorA(environment, name.c_str())) {
            const std::uint32_t error = platform_.lastError().GetLastError();
            Log(texts_.Format(error == ERROR_PRINT_MONITOR_IN_USE ? "IDS_USING"
                                                                  : "IDS_ERR_UNINSTALL",
                              name));
            Sleep(kFailurePause);
            // Still registered: its keys and DLLs stay, or the spooler would load missing files.
            return Outcome::Next;
        }
    }
    plat::Registry& registry = platform_.registry();
    if (name.find("USB") != std::string::npos) {
        registry.DeleteKey(plat::RegRoot::LocalMachine, kInstallPrinterKey, View());
        registry.DeleteKey(plat::RegRoot::LocalMachine, kPortNameKey, View());
    }
    RestartSpooler(platform_);
    Sleep(kAfterSpoolerRestart);
    // Without a key name there is nothing to delete (never the Monitors key itself).
    if (!files.keyName.empty())
        registry.DeleteKey(plat::RegRoot::LocalMachine,
                           (std::string(kMonitorsKey) + files.keyName).c_str(), View());

    bool filesDeleted = true;
    char systemDir[kPathSize] = {};
    const std::uint32_t n = platform_.files().GetSystemDirectoryA(systemDir, sizeof systemDir);
    if (n == 0 || n >= sizeof systemDir) {
        Log(kGetSysDirError);
        filesDeleted = false;
    } else {
        std::vector<std::string> names;
        for (const std::string* file : {&files.dll, &files.uiDll, &files.usbDll})
            if (!file->empty()) names.push_back(*file);
        filesDeleted = DeleteFiles(systemDir, names, settings_.is64Bit);
    }
    // The monitor is gone from the spooler either way; success is said only when its files are.
    if (filesDeleted) Log(texts_.Format("IDS_SUCCESS", name));
    Removed(name);
    return Outcome::Next;
}

bool UninstallWorker::DeleteFiles(const std::string& directory,
                                  const std::vector<std::string>& names, bool suspend) {
    plat::FileSystem& fs = platform_.files();
    bool all = true;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string path = directory + "\\" + names[i];
        setup::RedirectionSuspension suspension(platform_, suspend);
        if (suspend && suspension.state() != setup::RedirectionSuspension::State::Suspended) {
            for (std::size_t j = i; j < names.size(); ++j)
                Log("The file " + directory + "\\" + names[j] +
                    " was not deleted: System32 could not be reached.");
            return false;
        }
        if (fs.DeleteFileA(path.c_str())) continue;
        const std::uint32_t error = platform_.lastError().GetLastError();
        // A file that is not there is as good as deleted.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) continue;
        Log("The file " + path + " could not be deleted.    er=" + std::to_string(error));
        all = false;
    }
    return all;
}

UninstallWorker::Outcome UninstallWorker::RemoveProcessor(const std::string& name) {
    Log(texts_.Format("IDS_DELETING1", name));
    const char* environment = DeletionEnvironment(settings_.is64Bit);
    if (!platform_.printerSetup().DeletePrintProcessorA(environment, name.c_str())) {
        const std::uint32_t error = platform_.lastError().GetLastError();
        Log(texts_.Format(error == ERROR_CAN_NOT_COMPLETE ? "IDS_USING" : "IDS_ERR_UNINSTALL",
                          name));
        Sleep(kFailurePause);
        return Outcome::Next;
    }
    RestartSpooler(platform_);
    Sleep(kAfterSpoolerRestart);
    const std::string key =
        std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") +
        (settings_.is64Bit ? "Windows x64" : "Windows NT x86") + "\\Print Processors\\" + name;
    platform_.registry().DeleteKey(plat::RegRoot::LocalMachine, key.c_str(), View());

    bool fileDeleted = true;
    const std::string dll = inventory_.ReadProcessorDll(name);
    char dir[kPathSize] = {};
    std::uint32_t needed = 0;
    if (!platform_.printerSetup().GetPrintProcessorDirectoryA(environment, 1, dir, sizeof dir,
                                                              needed)) {
        Log(kGetSysDirError);
        fileDeleted = false;
    } else if (!dll.empty()) {
        // The spool directory is not redirected: no suspension needed.
        fileDeleted = DeleteFiles(dir, {dll}, false);
    }
    if (fileDeleted) Log(texts_.Format("IDS_SUCCESS", name));
    Removed(name);
    return Outcome::Next;
}

UninstallWorker::Outcome UninstallWorker::RemovePrinter(const std::string& name) {
    plat::PrinterSetup& spooler = platform_.printerSetup();
    PrinterRecord record;
    {
        OpenedPrinter printer(spooler, name);
        if (!printer.opened()) {
            Log(texts_.Format("IDS_ERR_OPENPRN", name));
            return Outcome::EndRun;
        }
        Log(texts_.Format("IDS_DELETING2", name));
        const PrinterRead read = printer.Read(record);
        if (read != PrinterRead::Ok) {
            Log(ReadProblem(texts_, read, name));
            return Outcome::EndRun;
        }
        if (record.jobs != 0) {
            Log(texts_.Format("IDS_ERR_HAVEJOB1", name));
            return Outcome::EndRun;
        }
        if (!spooler.DeletePrinter(printer.handle())) {
            Log(texts_.Message("IDS_ERR_DELPRINTER"));
            Sleep(kFailurePause);
            return Outcome::Next;
        }
    }  // the handle is closed: the spooler lets go of the printer
    Log(texts_.Format("IDS_SUCCESS", name));
    Removed(name);
    RestartSpooler(platform_);
    Sleep(kAfterPrinterDeleted);

    if (settings_.osIndex < 2) return Outcome::Next;
    Log(texts_.Format("IDS_DRVDELETING", name));
    const char* server = record.serverName.empty() ? nullptr : record.serverName.c_str();
    const char* environment = DeletionEnvironment(settings_.is64Bit);
    const bool deleted =
        settings_.hasDriverEx
            ? spooler.DeletePrinterDriverExA(server, environment, record.driverName.c_str(),
                                             DPD_DELETE_UNUSED_FILES, 0)
            : spooler.DeletePrinterDriverA(server, environment, record.driverName.c_str());
    if (deleted) {
        Log(texts_.Message("IDS_DRV_SUCCESS"));
    } else {
        const std::uint32_t error = platform_.lastError().GetLastError();
        if (error == ERROR_PRINTER_DRIVER_IN_USE) {
            Log(texts_.Message("IDS_ERR_DRVUSING"));
        } else {
            Log(texts_.Message("IDS_ERR_DRVDEL") + "    er=" + std::to_string(error));
            Sleep(kAfterDriverFailure);
            return Outcome::Next;
        }
    }
    Sleep(kAfterDriver);
    return Outcome::Next;
}

void UninstallWorker::RemoveUsbDriver() {
    Log(texts_.Message("IDS_DELETING3"));
    const std::string installer =
        settings_.currentDir +
        (settings_.is64Bit ? "\\USBDrv\\USBDriver_x64\\Install.exe" : "\\USBDrv\\USBDriver\\Install.exe");
    plat::Desktop& desktop = platform_.desktop();
    const std::intptr_t started = desktop.ShellExecuteA(settings_.owner, "open", installer.c_str(),
                                                        "22", nullptr, SW_SHOWNORMAL);
    if (started <= 32) {
        // Nothing ran, so nothing was removed: say so instead of reporting success.
        Log(installer + " could not be started.    er=" + std::to_string(started));
        return;
    }
    Sleep(kInstallStartPause);
    // An empty title would match any untitled window and keep the worker waiting for ever.
    const std::string title = texts_.Get("Uninstall", "CaptionName");
    if (!title.empty())
        while (desktop.FindWindowA(nullptr, title.c_str()) != 0) Sleep(kInstallPoll);
    Sleep(kInstallSettlePause);
    Log(texts_.Message("IDS_DRV_SUCCESS1"));
}

}  // namespace uninstall
