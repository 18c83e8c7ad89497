// The custom paper sizes of the "Utility" page: names, limits and the forms list.
#include "plugin/pages/CustomPaperForms.h"

#include <cstring>

#include "platform/win_constants.h"

namespace plugin {

ClampedValue ClampToLimit(std::int32_t typed, PaperLimit limit) {
    const auto value = static_cast<std::uint32_t>(typed);
    if (value < limit.low) return {limit.low, true};
    if (value > limit.high) return {limit.high, true};
    return {value, false};
}

std::int32_t ReadSignedNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    const bool negative = i < text.size() && text[i] == u'-';
    if (negative) ++i;
    if (i == text.size()) return 0;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return 0;
        value = value * 10 + (text[i] - u'0');
        if (value > 2147483648LL) return 0;  // beyond 32 bits: not a number GetDlgItemInt gives
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return 0;
    return static_cast<std::int32_t>(value);
}

bool IsCustomPaperName(std::u16string_view name) {
    return name.find(kCustomPaperPrefix) != std::u16string_view::npos;
}

std::u16string TypedPartOf(std::u16string_view name) {
    return name.size() > kCustomPaperPrefix.size()
               ? std::u16string(name.substr(kCustomPaperPrefix.size()))
               : std::u16string();
}

std::optional<std::vector<PaperForm>> EnumeratePaperForms(plat::Forms& forms,
                                                          plat::PrinterHandle printer,
                                                          std::uint32_t firstSize) {
    std::vector<std::uint8_t> buffer(firstSize);
    std::uint32_t needed = 0, returned = 0;
    if (!forms.EnumFormsW(printer, 1, buffer.empty() ? nullptr : buffer.data(), firstSize, needed,
                          returned)) {
        if (needed == 0) return std::nullopt;  // not a sizing answer: the call failed
        buffer.assign(needed, 0);
        if (!forms.EnumFormsW(printer, 1, buffer.data(), needed, needed, returned))
            return std::nullopt;
    }
    // The records may be more than the buffer holds only if the spooler lied; never read past it.
    const std::size_t fit = buffer.size() / sizeof(plat::FORM_INFO_1W);
    std::vector<PaperForm> out;
    for (std::uint32_t i = 0; i < returned && i < fit; ++i) {
        plat::FORM_INFO_1W record;
        std::memcpy(&record, buffer.data() + i * sizeof record, sizeof record);
        out.push_back({record.pName ? std::u16string(record.pName) : std::u16string(),
                       record.Size.cx, record.Size.cy});
    }
    return out;
}

plat::FORM_INFO_1W UserFormRecord(std::u16string& name, std::int32_t cx, std::int32_t cy) {
    return plat::FORM_INFO_1W{FORM_USER, name.data(), {cx, cy}, {0, 0, cx, cy}};
}

}  // namespace plugin
