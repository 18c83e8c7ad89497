// File version resources on Windows: version.dll's own calls.
#include "platform/win32/file_versions.h"

#include <cstddef>

static_assert(sizeof(plat::VS_FIXEDFILEINFO) == sizeof(::VS_FIXEDFILEINFO));
static_assert(offsetof(plat::VS_FIXEDFILEINFO, dwFileVersionMS) ==
              offsetof(::VS_FIXEDFILEINFO, dwFileVersionMS));
static_assert(offsetof(plat::VS_FIXEDFILEINFO, dwFileDateLS) ==
              offsetof(::VS_FIXEDFILEINFO, dwFileDateLS));

namespace win32 {

std::uint32_t Win32FileVersions::GetFileVersionInfoSizeA(const char* path, std::uint32_t& handle) {
    DWORD h = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &h);
    handle = h;
    return size;
}

bool Win32FileVersions::GetFileVersionInfoA(const char* path, std::uint32_t handle,
                                            std::uint32_t size, void* data) {
    return ::GetFileVersionInfoA(path, handle, size, data) != FALSE;
}

bool Win32FileVersions::VerQueryValueA(void* block, const char* subBlock, void*& value,
                                       std::uint32_t& length) {
    LPVOID out = nullptr;
    UINT n = 0;
    const BOOL ok = ::VerQueryValueA(block, subBlock, &out, &n);
    value = ok ? out : nullptr;
    length = ok ? n : 0;
    return ok != FALSE;
}

}  // namespace win32
