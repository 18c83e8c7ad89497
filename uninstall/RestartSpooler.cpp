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
    WithSpooler(services, SERVICE_START | SERVICE_QUERY_STATUS, [&](plat::ServiceHandle spooler) {
        services.StartServiceA(spooler, 0, nullptr);
        // A spooler that is still starting refuses every call (RPC_S_SERVER_UNAVAILABLE): the
        // deletions that follow wait until it runs, for a bounded time.
        for (int poll = 0; poll < kSpoolerStartPolls; ++poll) {
            plat::SERVICE_STATUS status{};
            if (!services.QueryServiceStatus(spooler, status) ||
                status.dwCurrentState == SERVICE_RUNNING)
                break;
            platform.system().Sleep(kSpoolerStartPollMs);
        }
    });
}

}  // namespace uninstall
