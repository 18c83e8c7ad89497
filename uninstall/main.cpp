// uninstall, the package's uninstaller: removes the package's printers, drivers, monitors and
// print processors that are installed on this computer.
#include "platform/platform.h"
#include "uninstall/UninstallStart.h"
#include "uninstall/UninstallWindow.h"
#include "uninstall/resource.h"

int main() {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    uninstall::StartResult start = uninstall::RunUninstallStart(*platform);
    if (start.outcome != uninstall::StartOutcome::Proceed) return 0;
    uninstall::UninstallWindow window(*platform);
    platform->dialogs().RunModal(IDD_UNINSTALL, window);
    return 0;
}
