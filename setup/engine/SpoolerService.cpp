// The spooler service's control: each call opens the manager and the service for what it needs.
#include "setup/engine/SpoolerService.h"

#include <string>

#include "platform/win_constants.h"

namespace setup {

namespace {

constexpr const char* kSpooler = "Spooler";

// The service manager and the spooler opened with one right, both closed at the end.
class SpoolerHandle {
public:
    SpoolerHandle(plat::Services& services, std::uint32_t access) : services_(services) {
        manager_ = services_.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        if (manager_ != 0) service_ = services_.OpenServiceA(manager_, kSpooler, access);
    }
    ~SpoolerHandle() {
        if (service_ != 0) services_.CloseServiceHandle(service_);
        if (manager_ != 0) services_.CloseServiceHandle(manager_);
    }
    SpoolerHandle(const SpoolerHandle&) = delete;
    SpoolerHandle& operator=(const SpoolerHandle&) = delete;
    plat::ServiceHandle service() const { return service_; }

private:
    plat::Services& services_;
    plat::ServiceHandle manager_ = 0;
    plat::ServiceHandle service_ = 0;
};

}  // namespace

void StopSpooler(EngineContext& ctx) {
    {
        SpoolerHandle spooler(ctx.platform.services(), SERVICE_STOP);
        if (spooler.service() != 0) {
            plat::SERVICE_STATUS status{};
            ctx.platform.services().ControlService(spooler.service(), SERVICE_CONTROL_STOP,
                                                   status);
        }
    }
    ctx.platform.system().Sleep(100);
}

bool StartSpooler(EngineContext& ctx) {
    SpoolerHandle spooler(ctx.platform.services(), SERVICE_START);
    if (spooler.service() != 0 &&
        ctx.platform.services().StartServiceA(spooler.service(), 0, nullptr))
        return true;
    const std::uint32_t error = ctx.LastError();
    if (spooler.service() != 0 && error == ERROR_SERVICE_ALREADY_RUNNING) return true;
    ctx.result.Set("Start spool service error, error code = " + std::to_string(error));
    return false;
}

std::uint32_t WaitSpoolerRunning(EngineContext& ctx) {
    std::uint32_t state = SERVICE_STOPPED;
    {
        SpoolerHandle spooler(ctx.platform.services(), SERVICE_QUERY_STATUS);
        if (spooler.service() != 0) {
            for (int poll = 0; poll < kSpoolerPolls; ++poll) {
                if (poll > 0) ctx.platform.system().Sleep(kSpoolerPollMs);
                plat::SERVICE_STATUS status{};
                if (ctx.platform.services().QueryServiceStatus(spooler.service(), status))
                    state = status.dwCurrentState;
                if (state == SERVICE_RUNNING) break;
            }
        }
    }
    if (state != SERVICE_RUNNING) ctx.result.Set("StartSpoolService error");
    return state;
}

}  // namespace setup
