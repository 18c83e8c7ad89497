// Profile (INI file) access, shaped after the Windows profile functions.
#pragma once
#include <cstdint>

namespace plat {

// Every function behaves as its Windows namesake: buffer sizes count characters including the
// terminating zero, values are cut to fit, and a missing file, section or key gives the default.
// A bare file name (no directory part) names a file in the Windows directory; a relative path
// resolves against the process's current directory.
class Profile {
public:
    virtual ~Profile() = default;

    // A null section lists all section names, a null key all key names of the section (each
    // terminated, the list ended by an extra zero). Returns the number of characters copied.
    virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultValue, char* out,
                                                   std::uint32_t size, const char* file) = 0;
    // The value's leading number as an unsigned 32-bit value; the default when the key is
    // missing or empty.
    virtual std::uint32_t GetPrivateProfileIntA(const char* section, const char* key,
                                                int defaultValue, const char* file) = 0;
    // Creates file and section as needed; a null value deletes the key, a null key the
    // section. Returns false and sets the thread's last error on failure
    // (ERROR_SHARING_VIOLATION when the file is held open without sharing).
    virtual bool WritePrivateProfileStringA(const char* section, const char* key,
                                            const char* value, const char* file) = 0;
    // All section names of the file, as GetPrivateProfileStringA with a null section.
    virtual std::uint32_t GetPrivateProfileSectionNamesA(char* out, std::uint32_t size,
                                                         const char* file) = 0;

    // The same on win.ini in the Windows directory.
    virtual std::uint32_t GetProfileStringA(const char* section, const char* key,
                                            const char* defaultValue, char* out,
                                            std::uint32_t size) = 0;
    virtual bool WriteProfileStringA(const char* section, const char* key, const char* value) = 0;

    // UTF-16 forms for the plug-in, with the same rules. An implementation that does not offer
    // them fails: 0 characters (an empty `out`) / false.
    virtual std::uint32_t GetPrivateProfileStringW(const char16_t* /*section*/,
                                                   const char16_t* /*key*/,
                                                   const char16_t* /*defaultValue*/,
                                                   char16_t* out, std::uint32_t size,
                                                   const char16_t* /*file*/) {
        if (out && size > 0) out[0] = u'\0';
        return 0;
    }
    virtual bool WritePrivateProfileStringW(const char16_t* /*section*/, const char16_t* /*key*/,
                                            const char16_t* /*value*/,
                                            const char16_t* /*file*/) {
        return false;
    }
};

}  // namespace plat
