// The validation rules of barcode data, one row per symbology code, and the data check itself.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace plugin {

// A set of byte values, usable in constant expressions.
class ByteSet {
public:
    constexpr ByteSet() = default;
    constexpr ByteSet& Add(std::uint8_t b) {
        words_[b / 64] |= std::uint64_t{1} << (b % 64);
        return *this;
    }
    constexpr ByteSet& AddRange(std::uint8_t first, std::uint8_t last) {
        for (unsigned b = first; b <= last; ++b) Add(static_cast<std::uint8_t>(b));
        return *this;
    }
    constexpr ByteSet& AddAll(const char* chars) {
        for (; *chars != '\0'; ++chars) Add(static_cast<std::uint8_t>(*chars));
        return *this;
    }
    constexpr bool Contains(std::uint8_t b) const {
        return (words_[b / 64] >> (b % 64)) & 1u;
    }

private:
    std::uint64_t words_[4] = {};
};

// The check a row adds to lengths and byte sets.
enum class BarcodeExtraRule : std::uint8_t {
    kNone,
    kUpcE,      // first byte '0'
    kCodabar,   // first byte 'A'-'D', last byte '*', 'A'-'E', 'N' or 'T'
    kAnyBytes,  // lengths only, no byte check
};

struct BarcodeRule {
    bool defined = false;  // rows the printer's symbologies do not use hold no rule
    std::uint16_t minLength = 0;
    std::uint16_t maxLength = 0;
    ByteSet allowed;
    BarcodeExtraRule extra = BarcodeExtraRule::kNone;
};

inline constexpr std::size_t kBarcodeRuleRows = 14;

// Row n holds the rule of the symbology whose row number is n (see BarcodeRuleRow). Rows 9..12
// are not used by any symbology the pages offer.
extern const std::array<BarcodeRule, kBarcodeRuleRows> BarcodeRuleTable;

// The symbology code sent after GS k for Code128: only this code (not every code of its row)
// gets the code-set prefix check and the packing of set C digits.
inline constexpr int kCode128Code = 0x49;
// The code the two-dimensional page validates PDF417 (and QR Code) data with.
inline constexpr int kPdf417ValidationCode = 13;

// The row of a symbology code: the code itself below 72, else the code minus 65. -1 when the
// row lies outside the table or holds no rule.
int BarcodeRuleRow(int code);

// Checks `*length` bytes of `data` against the rule of `code`. Refuses a null buffer or length,
// a length of 0, a code without a rule, a length outside the row's limits, and bytes outside its
// set. On success for Code128 data containing "{C", the digits of set C are packed two to a byte
// in place and `*length` becomes the packed length (never longer than before). On failure the
// buffer may hold a partly packed form, so callers check a copy.
bool ValidateBarcodeData(int code, std::uint8_t* data, std::size_t* length);

}  // namespace plugin
