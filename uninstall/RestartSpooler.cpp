// The spooler restart: a stop request, a pause, a start request, each through its own handles.
#include "uninstall/RestartSpooler.h"

#include "platform/win_constants.h"

namespace uninstall {

namespace {

// Opens the manager and "Spooler" with one right, calls `use` with the service, closes both.
template <typename Use>
void WithSpooler(plat::Services& services, std::uint32_t access, Use use) {
    const plat::ServiceHandle manager =
        services.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == 0) return;
    if (const plat::ServiceHandle spooler = services.OpenServiceA(manager, "Spooler", access)) {
        use(spooler);
        services.CloseServiceHandle(spooler);
    }
    services.CloseServiceHandle(manager);
}

}  // namespace

void RestartSpooler(plat::Platform& platform) {
    plat::Services& services = platform.services();
    WithSpooler(services, SERVICE_STOP, [&](plat::ServiceHandle spooler) {
        plat::SERVICE_STATUS status{};
        services.ControlService(spooler, SERVICE_CONTROL_STOP, status);
    });
    platform.system().Sleep(kSpoolerRestartPause);
    WithSpooler(services, SERVICE_START, [&](plat::ServiceHandle spooler) {
        services.StartServiceA(spooler, 0, nullptr);
    });
}

}  // namespace uninstall
