// The service control manager's calls on the simulated machine.
#include "platform/sim/api/services.h"

#include "common/text.h"
#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/service_state.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// Rights and controls the programs never name, with Windows' numbers.
constexpr std::uint32_t kGenericExecute = 0x20000000;
constexpr std::uint32_t kGenericAll = 0x10000000;
constexpr std::uint32_t kReadControl = 0x00020000;
constexpr std::uint32_t kManagerEnumerate = 0x0004;
constexpr std::uint32_t kManagerQueryLock = 0x0010;
constexpr std::uint32_t kServiceQueryConfig = 0x0001;
constexpr std::uint32_t kServiceEnumerateDependents = 0x0008;
constexpr std::uint32_t kServicePauseContinue = 0x0040;
constexpr std::uint32_t kServiceInterrogate = 0x0080;
constexpr std::uint32_t kServiceUserDefinedControl = 0x0100;
constexpr std::uint32_t kControlPause = 2;
constexpr std::uint32_t kControlContinue = 3;
constexpr std::uint32_t kErrorDatabaseDoesNotExist = 1065;

// What a pending state tells a caller to wait, in milliseconds, as the spooler says it.
constexpr std::uint32_t kWaitHint = 2000;

// The generic rights of a service handle as its specific ones.
std::uint32_t MapServiceRights(std::uint32_t access) {
    std::uint32_t mapped = access & ~(GENERIC_READ | GENERIC_WRITE | kGenericExecute | kGenericAll);
    if (access & GENERIC_READ)
        mapped |= kReadControl | kServiceQueryConfig | SERVICE_QUERY_STATUS | kServiceInterrogate |
                  kServiceEnumerateDependents;
    if (access & GENERIC_WRITE) mapped |= kReadControl | 0x0002 /* SERVICE_CHANGE_CONFIG */;
    if (access & kGenericExecute)
        mapped |= kReadControl | SERVICE_START | SERVICE_STOP | kServicePauseContinue |
                  kServiceUserDefinedControl;
    if (access & kGenericAll) mapped |= SERVICE_ALL_ACCESS;
    return mapped;
}

std::uint32_t MapManagerRights(std::uint32_t access) {
    std::uint32_t mapped = access & ~(GENERIC_READ | GENERIC_WRITE | kGenericExecute | kGenericAll);
    if (access & GENERIC_READ) mapped |= kReadControl | kManagerEnumerate | kManagerQueryLock;
    if (access & GENERIC_WRITE) mapped |= kReadControl | 0x0002 /* SC_MANAGER_CREATE_SERVICE */;
    if (access & kGenericExecute) mapped |= kReadControl | SC_MANAGER_CONNECT | 0x0008 /* LOCK */;
    if (access & kGenericAll) mapped |= SC_MANAGER_ALL_ACCESS;
    return mapped;
}

// What a user who is not an administrator is granted: reading and querying only.
constexpr std::uint32_t kUserManagerRights =
    kReadControl | SC_MANAGER_CONNECT | kManagerEnumerate | kManagerQueryLock;
constexpr std::uint32_t kUserServiceRights = kReadControl | kServiceQueryConfig |
                                             SERVICE_QUERY_STATUS | kServiceInterrogate |
                                             kServiceEnumerateDependents |
                                             kServiceUserDefinedControl;

void FillStatus(const ServiceRecord& s, plat::SERVICE_STATUS& status) {
    status = plat::SERVICE_STATUS{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = s.state;
    status.dwControlsAccepted = s.state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    const bool pending = s.state == SERVICE_START_PENDING || s.state == SERVICE_STOP_PENDING;
    if (pending) {
        const int total = s.state == SERVICE_START_PENDING ? s.startPolls : s.stopPolls;
        // The check point grows with each query while the service makes progress.
        status.dwCheckPoint =
            total == kNeverLeaves || s.pollsLeft == kNeverLeaves
                ? 1
                : static_cast<std::uint32_t>(total - s.pollsLeft + 1);
        status.dwWaitHint = kWaitHint;
    }
}

}  // namespace

SimServices::SimServices(const Machine& machine, plat::LastError& error)
    : machine_(machine), error_(error) {}

bool SimServices::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimServices::Faulted(const char* call, const std::string& target) {
    const std::uint32_t code = InjectedFault(machine_, call, target);
    if (code == ERROR_SUCCESS) return false;
    error_.SetLastError(code);
    return true;
}

bool SimServices::NoServiceManager() {
    if (machine_.settings().platformId == VER_PLATFORM_WIN32_NT) return false;
    error_.SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return true;
}

plat::ServiceHandle SimServices::Add(const Handle& handle) {
    std::lock_guard<std::mutex> guard(mutex_);
    const plat::ServiceHandle value = next_;
    next_ += 8;
    handles_[value] = handle;
    return value;
}

std::optional<SimServices::Handle> SimServices::Find(plat::ServiceHandle handle) {
    std::lock_guard<std::mutex> guard(mutex_);
    auto it = handles_.find(handle);
    if (it == handles_.end()) return std::nullopt;
    return it->second;
}

plat::ServiceHandle SimServices::OpenSCManagerA(const char* machine, const char* database,
                                                std::uint32_t access) {
    if (Faulted("OpenSCManagerA", {})) return 0;
    if (NoServiceManager()) return 0;
    // This machine has no network: another computer's manager cannot be reached.
    if (machine && *machine) return Fail(RPC_S_SERVER_UNAVAILABLE);
    if (database && *database && !common::EqualsNoCase(database, "ServicesActive"))
        return Fail(kErrorDatabaseDoesNotExist);
    const std::uint32_t rights = MapManagerRights(access);
    if (!machine_.settings().administrator && (rights & ~kUserManagerRights))
        return Fail(ERROR_ACCESS_DENIED);
    Handle handle;
    handle.manager = true;
    // Every manager handle may connect, as the manager grants that to everyone who opens it.
    handle.access = rights | SC_MANAGER_CONNECT;
    return Add(handle);
}

plat::ServiceHandle SimServices::OpenServiceA(plat::ServiceHandle manager, const char* name,
                                              std::uint32_t access) {
    if (Faulted("OpenServiceA", name ? name : "")) return 0;
    if (NoServiceManager()) return 0;
    const std::optional<Handle> owner = Find(manager);
    if (!owner || !owner->manager) return Fail(ERROR_INVALID_HANDLE);
    if (!(owner->access & SC_MANAGER_CONNECT)) return Fail(ERROR_ACCESS_DENIED);
    if (!name) return Fail(ERROR_INVALID_PARAMETER);
    const std::string text = name;
    if (text.empty() || text.find_first_of("/\\") != std::string::npos)
        return Fail(ERROR_INVALID_NAME);
    auto service = FindService(machine_, text);
    if (!service) return Fail(ERROR_SERVICE_DOES_NOT_EXIST);
    const std::uint32_t rights = MapServiceRights(access);
    if (!machine_.settings().administrator && (rights & ~kUserServiceRights))
        return Fail(ERROR_ACCESS_DENIED);
    Handle handle;
    handle.access = rights;
    handle.service = service->name;
    return Add(handle);
}

bool SimServices::ControlService(plat::ServiceHandle service, std::uint32_t control,
                                 plat::SERVICE_STATUS& status) {
    const std::optional<Handle> found = Find(service);
    const std::string target = found ? found->service : std::string();
    if (Faulted("ControlService", target)) return false;
    if (NoServiceManager()) return false;
    if (!found || found->manager) return Fail(ERROR_INVALID_HANDLE);
    const Handle& h = *found;
    std::uint32_t needed = 0;
    switch (control) {
        case SERVICE_CONTROL_STOP: needed = SERVICE_STOP; break;
        case SERVICE_CONTROL_INTERROGATE: needed = kServiceInterrogate; break;
        case kControlPause:
        case kControlContinue: needed = kServicePauseContinue; break;
        default:
            if (control < 128) return Fail(ERROR_INVALID_PARAMETER);
            needed = kServiceUserDefinedControl;  // 128 to 255: the service's own controls
    }
    if (!(h.access & needed)) return Fail(ERROR_ACCESS_DENIED);

    ServiceRecord after;
    std::uint32_t error = ERROR_SUCCESS;
    if (control == SERVICE_CONTROL_STOP) {
        error = RequestServiceStop(machine_, h.service, after);
    } else {
        auto record = FindService(machine_, h.service);
        if (!record) return Fail(ERROR_SERVICE_DOES_NOT_EXIST);
        after = *record;
        if (after.state == SERVICE_STOPPED)
            error = ERROR_SERVICE_NOT_ACTIVE;
        else if (control != SERVICE_CONTROL_INTERROGATE)
            error = ERROR_INVALID_SERVICE_CONTROL;  // the spooler takes no pause or own controls
    }
    // These failures still report the service's status, as Windows does.
    if (error == ERROR_SUCCESS || error == ERROR_SERVICE_NOT_ACTIVE ||
        error == ERROR_SERVICE_CANNOT_ACCEPT_CTRL || error == ERROR_INVALID_SERVICE_CONTROL)
        FillStatus(after, status);
    return error == ERROR_SUCCESS ? true : Fail(error);
}

bool SimServices::StartServiceA(plat::ServiceHandle service, std::uint32_t, const char**) {
    const std::optional<Handle> found = Find(service);
    const std::string target = found ? found->service : std::string();
    if (Faulted("StartServiceA", target)) return false;
    if (NoServiceManager()) return false;
    if (!found || found->manager) return Fail(ERROR_INVALID_HANDLE);
    const Handle& h = *found;
    if (!(h.access & SERVICE_START)) return Fail(ERROR_ACCESS_DENIED);
    ServiceRecord after;
    const std::uint32_t error = RequestServiceStart(machine_, h.service, after);
    return error == ERROR_SUCCESS ? true : Fail(error);
}

bool SimServices::QueryServiceStatus(plat::ServiceHandle service, plat::SERVICE_STATUS& status) {
    const std::optional<Handle> found = Find(service);
    const std::string target = found ? found->service : std::string();
    if (Faulted("QueryServiceStatus", target)) return false;
    if (NoServiceManager()) return false;
    if (!found || found->manager) return Fail(ERROR_INVALID_HANDLE);
    const Handle& h = *found;
    if (!(h.access & SERVICE_QUERY_STATUS)) return Fail(ERROR_ACCESS_DENIED);
    ServiceRecord after;
    const std::uint32_t error = PollServiceStatus(machine_, h.service, after);
    if (error != ERROR_SUCCESS) return Fail(error);
    FillStatus(after, status);
    return true;
}

bool SimServices::CloseServiceHandle(plat::ServiceHandle handle) {
    if (Faulted("CloseServiceHandle", {})) return false;
    if (NoServiceManager()) return false;
    std::lock_guard<std::mutex> guard(mutex_);
    if (handles_.erase(handle) == 0) return Fail(ERROR_INVALID_HANDLE);
    return true;
}

}  // namespace sim
