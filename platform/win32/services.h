// Services on Windows: the service control manager's own calls.
#pragma once
#include <windows.h>

#include "platform/services.h"

namespace win32 {

// Not built yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
class Win32Services : public plat::Services {
public:
    plat::ServiceHandle OpenSCManagerA(const char*, const char*, std::uint32_t) override {
        return Unsupported();
    }
    plat::ServiceHandle OpenServiceA(plat::ServiceHandle, const char*, std::uint32_t) override {
        return Unsupported();
    }
    bool ControlService(plat::ServiceHandle, std::uint32_t, plat::SERVICE_STATUS&) override {
        return Unsupported();
    }
    bool StartServiceA(plat::ServiceHandle, std::uint32_t, const char**) override {
        return Unsupported();
    }
    bool QueryServiceStatus(plat::ServiceHandle, plat::SERVICE_STATUS&) override {
        return Unsupported();
    }
    bool CloseServiceHandle(plat::ServiceHandle) override { return Unsupported(); }

private:
    static bool Unsupported() {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
};

}  // namespace win32
