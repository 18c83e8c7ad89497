// The registry on Windows: the advapi32 Reg* calls, with KEY_WOW64_* selecting the view.
#pragma once
#include <windows.h>

#include "platform/registry.h"

namespace win32 {

class Win32Registry : public plat::Registry {
public:
    std::int32_t CreateKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t OpenKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t DeleteKey(plat::RegRoot root, const char* path, plat::RegView view) override;
    std::int32_t SetValue(plat::RegRoot root, const char* path, const char* name,
                          std::uint32_t type, const std::vector<std::uint8_t>& data,
                          plat::RegView view) override;
    std::int32_t QueryValue(plat::RegRoot root, const char* path, const char* name,
                            std::uint32_t& type, std::vector<std::uint8_t>& data,
                            plat::RegView view) override;
    std::int32_t DeleteValue(plat::RegRoot root, const char* path, const char* name,
                             plat::RegView view) override;
    std::int32_t EnumKeys(plat::RegRoot root, const char* path, std::vector<std::string>& out,
                          plat::RegView view) override;
    std::int32_t EnumValues(plat::RegRoot root, const char* path, std::vector<std::string>& out,
                            plat::RegView view) override;
};

}  // namespace win32
