// The checks setup makes when it starts, in the order a refusal must be reported.
#include "setup/ProgramStart.h"

#include <string>

#include "common/window_titles.h"
#include "platform/win_constants.h"
#include "package/LanguageText.h"
#include "package/PackageConfig.h"
#include "package/ProfileReaders.h"

namespace setup {

namespace {

// The program's file name without directory and extension: the single-instance mutex's name.
std::string ProgramBaseName(plat::FileSystem& files) {
    char path[260] = {};
    files.GetModuleFileNameA(path, sizeof path);
    std::string name = path;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

plat::WindowRef FindEitherTitle(plat::Desktop& desktop, const char* english, const char* chinese) {
    plat::WindowRef window = desktop.FindWindowA(nullptr, english);
    return window ? window : desktop.FindWindowA(nullptr, chinese);
}

// A refusal message: a plain box with an OK button, titled like the wizard.
void ShowMessage(plat::Platform& platform, const std::string& text) {
    std::string caption = pkg::LanguageText(platform, "Setup").Get("Caption");
    platform.desktop().MessageBoxA(0, text.c_str(), caption.empty() ? nullptr : caption.c_str(),
                                   MB_OK);
}

bool IsRefusedWindows(const plat::OsVersion& v) {
    bool windows98OrMe = v.platformId == VER_PLATFORM_WIN32_WINDOWS && v.minor != 0;
    bool nt4 = v.platformId == VER_PLATFORM_WIN32_NT && v.major == 4;
    return windows98OrMe || nt4;
}

// The model name of the last DEVICENAME entry that carries a series suffix; empty when no entry
// carries one.
std::string LastSeriesModelName(pkg::PackageConfig& config) {
    std::string last;
    for (int i : config.ListedModelNumbers()) {
        pkg::ModelEntry entry = config.GetModelEntry(i);
        if (entry.series >= 0) last = entry.name;
    }
    return last;
}

// Whether the package offers the last listed model any USB, parallel or serial port in one of
// the four series files (network ports do not count).
bool PackageHasPort(plat::Platform& platform, bool is64Bit) {
    pkg::PackageConfig config(platform, is64Bit);
    std::string model = LastSeriesModelName(config);
    if (model.empty()) return false;  // no model, so nothing to offer a port for
    std::string section = model + ".PORT";
    static const char* const kPortKeys[] = {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED"};
    for (int series = 0; series < pkg::kSeriesCount; ++series) {
        std::string file = pkg::SeriesFileName(series, is64Bit);
        for (const char* key : kPortKeys)
            if (pkg::ReadProfileInt(platform, file.c_str(), section.c_str(), key) != 0) return true;
    }
    return false;
}

}  // namespace

StartResult RunProgramStart(plat::Platform& platform) {
    StartResult result;
    plat::Desktop& desktop = platform.desktop();

    result.instanceMutex = desktop.CreateMutexA(true, ProgramBaseName(platform.files()).c_str());
    if (result.instanceMutex && platform.lastError().GetLastError() == ERROR_ALREADY_EXISTS) {
        plat::WindowRef running =
            FindEitherTitle(desktop, common::kSetupTitle, common::kSetupTitleChinese);
        if (running) {
            desktop.SetForegroundWindow(running);
            if (desktop.IsIconic(running)) desktop.OpenIcon(running);
        }
        result.outcome = StartOutcome::AlreadyRunning;
        return result;
    }

    if (FindEitherTitle(desktop, common::kUninstallTitle, common::kUninstallTitleChinese)) {
        ShowMessage(platform, pkg::LanguageText(platform, "Setup").Get("Close"));
        result.outcome = StartOutcome::UninstallerRunning;
        return result;
    }

    plat::OsVersion version;
    if (platform.system().GetVersionExA(version) && IsRefusedWindows(version)) {
        ShowMessage(platform, pkg::LanguageText(platform, "Setup").Get("Nonsupport"));
        result.outcome = StartOutcome::UnsupportedWindows;
        return result;
    }

    bool wow64 = false;
    result.is64Bit = platform.system().IsWow64Process(wow64) && wow64;

    pkg::LanguageText messages(platform, "Message");
    int supported = pkg::ReadSwitch(platform, "Supported32OR64");
    if (supported == 1 && result.is64Bit) {
        ShowMessage(platform, messages.Get("IDS_X64"));
        result.outcome = StartOutcome::PackageIs32BitOnly;
        return result;
    }
    if (supported == 2 && !result.is64Bit) {
        ShowMessage(platform, messages.Get("IDS_X32"));
        result.outcome = StartOutcome::PackageIs64BitOnly;
        return result;
    }

    if (!PackageHasPort(platform, result.is64Bit)) {
        ShowMessage(platform, pkg::LanguageText(platform, "Setup").Get("PortNull"));
        result.outcome = StartOutcome::NoPort;
        return result;
    }
    return result;
}

}  // namespace setup
