// File version resources on Windows: version.dll's own calls.
#pragma once
#include <windows.h>

#include "platform/file_versions.h"

namespace win32 {

class Win32FileVersions : public plat::FileVersions {
public:
    std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t& handle) override;
    bool GetFileVersionInfoA(const char* path, std::uint32_t handle, std::uint32_t size,
                             void* data) override;
    bool VerQueryValueA(void* block, const char* subBlock, void*& value,
                        std::uint32_t& length) override;
};

}  // namespace win32
