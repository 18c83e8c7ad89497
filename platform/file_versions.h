// File version resources: the version block of an executable file and the values in it (version.dll).
#pragma once
#include <cstdint>

namespace plat {

// Shaped after version.dll's ANSI calls. GetFileVersionInfoSizeA gives the buffer size the
// block needs (0 and the last error when the file has none); GetFileVersionInfoA copies the
// block into the caller's buffer of `size` bytes; VerQueryValueA finds a value in that block:
// "\\" the VS_FIXEDFILEINFO, "\\VarFileInfo\\Translation" the translation array,
// "\\StringFileInfo\\040904b0\\FileVersion" a string. Its pointer points into the caller's
// block (a string's ANSI form is written into the block's spare half), so the block must
// outlive it; `length` is the value's size in bytes, or a string's length in characters with
// its terminating zero.
class FileVersions {
public:
    virtual ~FileVersions() = default;
    virtual std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t& handle) = 0;
    virtual bool GetFileVersionInfoA(const char* path, std::uint32_t handle, std::uint32_t size,
                                     void* data) = 0;
    virtual bool VerQueryValueA(void* block, const char* subBlock, void*& value,
                                std::uint32_t& length) = 0;
};

// VS_FIXEDFILEINFO, the value of "\\": the file's and product's version numbers, each as two
// 32-bit halves (major << 16 | minor, build << 16 | revision).
struct VS_FIXEDFILEINFO {
    std::uint32_t dwSignature;  // 0xFEEF04BD
    std::uint32_t dwStrucVersion;
    std::uint32_t dwFileVersionMS;
    std::uint32_t dwFileVersionLS;
    std::uint32_t dwProductVersionMS;
    std::uint32_t dwProductVersionLS;
    std::uint32_t dwFileFlagsMask;
    std::uint32_t dwFileFlags;
    std::uint32_t dwFileOS;
    std::uint32_t dwFileType;
    std::uint32_t dwFileSubtype;
    std::uint32_t dwFileDateMS;
    std::uint32_t dwFileDateLS;
};

}  // namespace plat
