// Reading the number a user typed into a numeric edit box.
#include "plugin/pages/EditNumber.h"

namespace plugin {

std::uint32_t ReadEditNumber(std::string_view text) {
    constexpr std::uint32_t kCeiling = 99999;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
        if (value > kCeiling) value = kCeiling;
    }
    return value;
}

}  // namespace plugin
