// The package configuration's reading conventions and the wizard's two small readers.
#include "package/ProfileReaders.h"

#include <cstdint>
#include <limits>

#include "common/text.h"

namespace pkg {

namespace {
constexpr const char* kSetupIni = "DRVCONFIG\\setup.ini";
constexpr std::uint32_t kReaderBuffer = 200;
}  // namespace

std::int32_t ParseLeadingNumber(const char* text) {
    if (text == nullptr) return 0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    // Accumulate in 64 bits and stop growing at the limit, so long digit runs cannot overflow.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return value > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                             : static_cast<std::int32_t>(value);
}

void ReadConfigText(plat::Profile& profile, const char* file, const char* section,
                    const char* key, char* out, std::uint32_t size) {
    if (size == 0) return;
    if (file == nullptr || file[0] == '\0') {
        common::CopyCut(out, size, "0");
        return;
    }
    profile.GetPrivateProfileStringA(section, key, "0", out, size, file);
}

std::int32_t ReadConfigNumber(plat::Profile& profile, const char* file, const char* section,
                              const char* key, std::uint32_t size) {
    // The widest numeric key is DEFAULTNAME with 260 characters.
    char text[260];
    if (size == 0) return 0;
    if (size > sizeof text) size = sizeof text;
    ReadConfigText(profile, file, section, key, text, size);
    return ParseLeadingNumber(text);
}

int ReadSwitch(plat::Platform& platform, const char* key) {
    return ReadConfigNumber(platform.profile(), kSetupIni, "DEVICENAME", key, kReaderBuffer);
}

int ReadProfileInt(plat::Platform& platform, const char* file, const char* section,
                   const char* key) {
    return ReadConfigNumber(platform.profile(), file, section, key, kReaderBuffer);
}

}  // namespace pkg
