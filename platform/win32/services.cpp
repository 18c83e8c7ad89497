// Services on Windows: the service control manager's advapi32 calls.
#include <windows.h>

#include "platform/win32/services.h"

#include <cstddef>

namespace win32 {

namespace {

// The interface's record is SERVICE_STATUS itself, field for field.
static_assert(sizeof(plat::SERVICE_STATUS) == sizeof(::SERVICE_STATUS));
static_assert(offsetof(plat::SERVICE_STATUS, dwCurrentState) ==
              offsetof(::SERVICE_STATUS, dwCurrentState));
static_assert(offsetof(plat::SERVICE_STATUS, dwWaitHint) == offsetof(::SERVICE_STATUS, dwWaitHint));

SC_HANDLE Native(plat::ServiceHandle handle) { return reinterpret_cast<SC_HANDLE>(handle); }
plat::ServiceHandle Portable(SC_HANDLE handle) { return reinterpret_cast<plat::ServiceHandle>(handle); }
::SERVICE_STATUS* Native(plat::SERVICE_STATUS& status) {
    return reinterpret_cast<::SERVICE_STATUS*>(&status);
}

}  // namespace

plat::ServiceHandle Win32Services::OpenSCManagerA(const char* machine, const char* database,
                                                  std::uint32_t access) {
    return Portable(::OpenSCManagerA(machine, database, access));
}

plat::ServiceHandle Win32Services::OpenServiceA(plat::ServiceHandle manager, const char* name,
                                                std::uint32_t access) {
    return Portable(::OpenServiceA(Native(manager), name, access));
}

bool Win32Services::ControlService(plat::ServiceHandle service, std::uint32_t control,
                                   plat::SERVICE_STATUS& status) {
    return ::ControlService(Native(service), control, Native(status)) != FALSE;
}

bool Win32Services::StartServiceA(plat::ServiceHandle service, std::uint32_t argc,
                                  const char** argv) {
    return ::StartServiceA(Native(service), argc, const_cast<LPCSTR*>(argv)) != FALSE;
}

bool Win32Services::QueryServiceStatus(plat::ServiceHandle service,
                                       plat::SERVICE_STATUS& status) {
    return ::QueryServiceStatus(Native(service), Native(status)) != FALSE;
}

bool Win32Services::CloseServiceHandle(plat::ServiceHandle handle) {
    return ::CloseServiceHandle(Native(handle)) != FALSE;
}

}  // namespace win32
