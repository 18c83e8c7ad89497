// Texts of the values the host reports.
#include "tools/driverui/CallText.h"

#include <cstdio>

#include "plugin/com/ComTypes.h"

namespace driverui {

std::string HresultText(std::int32_t hr) {
    switch (hr) {
        case S_OK: return "S_OK";
        case S_FALSE: return "S_FALSE";
        case E_NOTIMPL: return "E_NOTIMPL";
        case E_NOINTERFACE: return "E_NOINTERFACE";
        case E_POINTER: return "E_POINTER";
        case E_FAIL: return "E_FAIL";
        case E_OUTOFMEMORY: return "E_OUTOFMEMORY";
        case CLASS_E_NOAGGREGATION: return "CLASS_E_NOAGGREGATION";
        case CLASS_E_CLASSNOTAVAILABLE: return "CLASS_E_CLASSNOTAVAILABLE";
        default: return Hex32(static_cast<std::uint32_t>(hr));
    }
}

std::string Hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string Narrow(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

std::u16string Widen(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace driverui
