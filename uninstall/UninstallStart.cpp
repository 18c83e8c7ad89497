// The start-up checks, in the order a refusal must be reported.
#include "uninstall/UninstallStart.h"

#include "common/window_titles.h"
#include "platform/win_constants.h"
#include "uninstall/UninstallTexts.h"

namespace uninstall {

namespace {

plat::WindowRef FindEitherTitle(plat::Desktop& desktop, const char* first, const char* second) {
    plat::WindowRef window = desktop.FindWindowA(nullptr, first);
    return window ? window : desktop.FindWindowA(nullptr, second);
}

}  // namespace

StartResult RunUninstallStart(plat::Platform& platform) {
    StartResult result;
    plat::Desktop& desktop = platform.desktop();

    result.instanceMutex = desktop.CreateMutexA(true, kInstanceMutexName);
    if (result.instanceMutex && platform.lastError().GetLastError() == ERROR_ALREADY_EXISTS) {
        // The window has the Chinese or the English title, as its language file gave it.
        plat::WindowRef running = FindEitherTitle(desktop, common::kUninstallTitleChinese,
                                                  common::kUninstallTitle);
        if (running) {
            desktop.SetForegroundWindow(running);
            if (desktop.IsIconic(running)) desktop.OpenIcon(running);
        }
        result.outcome = StartOutcome::AlreadyRunning;
        return result;
    }

    if (FindEitherTitle(desktop, common::kSetupTitleChinese, common::kSetupTitle)) {
        const std::string text = UninstallTexts(platform).Get("Uninstall", "Close");
        desktop.MessageBoxA(0, text.c_str(), nullptr, MB_OK);
        result.outcome = StartOutcome::SetupRunning;
    }
    return result;
}

}  // namespace uninstall
