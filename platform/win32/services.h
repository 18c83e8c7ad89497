// Services on Windows: each method is the advapi32 call it names.
#pragma once
#include "platform/services.h"

namespace win32 {

class Win32Services : public plat::Services {
public:
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
};

}  // namespace win32
