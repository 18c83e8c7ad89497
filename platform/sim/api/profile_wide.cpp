// The UTF-16 profile functions on the simulated machine, passed through the 8-bit ones.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/api/profile.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

// The ASCII form of an argument (null stays null); nothing when it holds another character.
std::optional<std::string> Narrow(const char16_t* text, bool& ok) {
    if (!text) return std::nullopt;
    std::string out;
    for (const char16_t* p = text; *p; ++p) {
        if (*p > 0x7F) {
            ok = false;
            return std::nullopt;
        }
        out += static_cast<char>(*p);
    }
    return out;
}

const char* Ptr(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

void NotSimulated(const char* function) {
    std::fprintf(stderr,
                 "simulated profile: %s with characters outside ASCII is not simulated\n",
                 function);
}

}  // namespace

std::uint32_t SimProfile::GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                                                   const char16_t* defaultValue, char16_t* out,
                                                   std::uint32_t size, const char16_t* file) {
    if (!out || size == 0) return 0;
    bool ok = true;
    auto s = Narrow(section, ok), k = Narrow(key, ok), d = Narrow(defaultValue, ok),
         f = Narrow(file, ok);
    if (!ok) {
        NotSimulated("GetPrivateProfileStringW");
        error_.SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        out[0] = u'\0';
        return 0;
    }
    std::vector<char> narrow(size, '\0');
    const std::uint32_t n =
        GetPrivateProfileStringA(Ptr(s), Ptr(k), Ptr(d), narrow.data(), size, Ptr(f));
    // n characters and the zero after them (for a name list, the list's closing zero).
    const std::uint32_t copy = n + 1 < size ? n + 1 : size;
    bool replaced = false;
    for (std::uint32_t i = 0; i < copy; ++i) {
        const auto byte = static_cast<unsigned char>(narrow[i]);
        replaced |= byte > 0x7F;
        out[i] = byte > 0x7F ? u'\uFFFD' : static_cast<char16_t>(byte);
    }
    if (replaced) NotSimulated("GetPrivateProfileStringW reading a file");
    return n;
}

bool SimProfile::WritePrivateProfileStringW(const char16_t* section, const char16_t* key,
                                            const char16_t* value, const char16_t* file) {
    bool ok = true;
    auto s = Narrow(section, ok), k = Narrow(key, ok), v = Narrow(value, ok), f = Narrow(file, ok);
    if (!ok) {
        NotSimulated("WritePrivateProfileStringW");
        error_.SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return false;
    }
    return WritePrivateProfileStringA(Ptr(s), Ptr(k), Ptr(v), Ptr(f));
}

}  // namespace sim
