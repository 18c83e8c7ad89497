// Services on the simulated machine: the service control manager's calls over the machine's
// service states (state/service_state.h).
//
// Handles belong to this process and carry the access they were opened with; a call without
// the right it needs fails with ERROR_ACCESS_DENIED, an unknown handle with
// ERROR_INVALID_HANDLE. Only the local machine's active database can be opened. A user who is
// not an administrator may connect and query, but not open the manager for every right nor
// start or stop a service. On the 9x platform there is no service control manager: every call
// fails with ERROR_CALL_NOT_IMPLEMENTED. Every call asks the fault list first, the service
// calls with the service's name as the target.
#pragma once
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/last_error.h"
#include "platform/services.h"
#include "platform/sim/state/machine.h"

namespace sim {

class SimServices : public plat::Services {
public:
    SimServices(const Machine& machine, plat::LastError& error);

    plat::ServiceHandle OpenSCManagerA(const char* machine, const char* database,
                                       std::uint32_t access) override;
    plat::ServiceHandle OpenServiceA(plat::ServiceHandle manager, const char* name,
                                     std::uint32_t access) override;
    bool ControlService(plat::ServiceHandle service, std::uint32_t control,
                        plat::SERVICE_STATUS& status) override;
    bool StartServiceA(plat::ServiceHandle service, std::uint32_t argc,
                       const char** argv) override;
    bool QueryServiceStatus(plat::ServiceHandle service, plat::SERVICE_STATUS& status) override;
    bool CloseServiceHandle(plat::ServiceHandle handle) override;

private:
    struct Handle {
        bool manager = false;
        std::uint32_t access = 0;  // the rights granted, generic rights mapped
        std::string service;       // the service's name as the machine spells it
    };
    // Fails the call with `code` (sets the last error, returns false).
    bool Fail(std::uint32_t code);
    // A copy of the handle's record, or none for a handle this process does not have.
    std::optional<Handle> Find(plat::ServiceHandle handle);
    plat::ServiceHandle Add(const Handle& handle);
    bool Faulted(const char* call, const std::string& target);
    bool NoServiceManager();

    const Machine& machine_;
    plat::LastError& error_;
    std::mutex mutex_;  // the program's threads share its handles
    std::map<plat::ServiceHandle, Handle> handles_;
    plat::ServiceHandle next_ = 0x00C40010;
};

}  // namespace sim
