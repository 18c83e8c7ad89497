// Services: the service control manager's calls, for stopping, starting and querying services.
#pragma once
#include <cstdint>

namespace plat {

// A service control manager or service handle (SC_HANDLE on Windows); 0 is none.
using ServiceHandle = std::uintptr_t;

// SERVICE_STATUS, with Windows' layout.
struct SERVICE_STATUS {
    std::uint32_t dwServiceType;
    std::uint32_t dwCurrentState;  // SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_RUNNING, ...
    std::uint32_t dwControlsAccepted;
    std::uint32_t dwWin32ExitCode;
    std::uint32_t dwServiceSpecificExitCode;
    std::uint32_t dwCheckPoint;
    std::uint32_t dwWaitHint;
};

// Shaped after advapi32: a handle of 0 or a false result sets the thread's last error
// (ERROR_ACCESS_DENIED without the right asked for, ERROR_SERVICE_DOES_NOT_EXIST,
// ERROR_SERVICE_ALREADY_RUNNING, ERROR_SERVICE_NOT_ACTIVE, ERROR_INVALID_HANDLE, ...).
class Services {
public:
    virtual ~Services() = default;

    // OpenSCManagerA(machine, database, access); a null machine is the local one.
    virtual ServiceHandle OpenSCManagerA(const char* machine, const char* database,
                                         std::uint32_t access) = 0;
    virtual ServiceHandle OpenServiceA(ServiceHandle manager, const char* name,
                                       std::uint32_t access) = 0;
    // ControlService: `status` receives the service's status after the request.
    virtual bool ControlService(ServiceHandle service, std::uint32_t control,
                                SERVICE_STATUS& status) = 0;
    // StartServiceA with `argc` arguments (0 and null for none).
    virtual bool StartServiceA(ServiceHandle service, std::uint32_t argc,
                               const char** argv) = 0;
    virtual bool QueryServiceStatus(ServiceHandle service, SERVICE_STATUS& status) = 0;
    virtual bool CloseServiceHandle(ServiceHandle handle) = 0;
};

}  // namespace plat
