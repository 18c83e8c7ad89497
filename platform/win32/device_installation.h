// Device installation on Windows: SetupAPI and newdev's own calls.
#pragma once
#include <windows.h>

#include "platform/device_installation.h"

namespace win32 {

class Win32DeviceInstallation : public plat::DeviceInstallation {
public:
    bool SetupIterateCabinetA(const char* cabinetFile,
                              const plat::CabinetCallback& callback) override;
    plat::InfHandle SetupOpenInfFileA(const char* fileName, std::uint32_t style,
                                      std::uint32_t* errorLine) override;
    void SetupCloseInfFile(plat::InfHandle inf) override;
    bool SetupFindFirstLineA(plat::InfHandle inf, const char* section, const char* key,
                             plat::INFCONTEXT& context) override;
    bool SetupFindNextLine(const plat::INFCONTEXT& in, plat::INFCONTEXT& out) override;
    bool SetupFindNextMatchLineA(const plat::INFCONTEXT& in, const char* key,
                                 plat::INFCONTEXT& out) override;
    std::uint32_t SetupGetFieldCount(const plat::INFCONTEXT& context) override;
    bool SetupGetStringFieldA(const plat::INFCONTEXT& context, std::uint32_t index, char* buffer,
                              std::uint32_t size, std::uint32_t* requiredSize) override;
    bool SetupDiGetINFClassA(const char* infName, plat::GUID& classGuid, char* className,
                             std::uint32_t size, std::uint32_t* requiredSize) override;
    bool SetupDiClassGuidsFromNameA(const char* className, plat::GUID* list, std::uint32_t size,
                                    std::uint32_t& requiredSize) override;
};

}  // namespace win32
