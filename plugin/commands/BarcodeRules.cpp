// The barcode rule table and ValidateBarcodeData with the Code128 set C packing.
#include "plugin/commands/BarcodeRules.h"

#include <algorithm>

namespace plugin {

namespace {

constexpr ByteSet Digits() { return ByteSet().AddRange('0', '9'); }

constexpr BarcodeRule Rule(std::uint16_t minLength, std::uint16_t maxLength, ByteSet allowed,
                           BarcodeExtraRule extra = BarcodeExtraRule::kNone) {
    BarcodeRule r;
    r.defined = true;
    r.minLength = minLength;
    r.maxLength = maxLength;
    r.allowed = allowed;
    r.extra = extra;
    return r;
}

constexpr std::array<BarcodeRule, kBarcodeRuleRows> MakeTable() {
    std::array<BarcodeRule, kBarcodeRuleRows> t{};
    t[0] = Rule(11, 12, Digits());                                    // UPC-A
    t[1] = Rule(11, 12, Digits(), BarcodeExtraRule::kUpcE);           // UPC-E
    t[2] = Rule(12, 13, Digits());                                    // EAN13
    t[3] = Rule(7, 8, Digits());                                      // EAN8
    t[4] = Rule(1, 255, Digits().AddRange('A', 'Z').AddAll(" $%*+-./"));  // Code39
    t[5] = Rule(1, 255, Digits());                                    // ITF
    t[6] = Rule(1, 255, Digits().AddRange('A', 'E').AddAll("$*+-./:NT"),
                BarcodeExtraRule::kCodabar);                          // Codabar
    t[7] = Rule(1, 255, ByteSet().AddRange(0x00, 0x7F));              // Code93
    t[8] = Rule(2, 255, ByteSet().AddRange(0x00, 0x7F));              // Code128
    t[13] = Rule(1, 255, ByteSet().AddRange(0x00, 0xFF), BarcodeExtraRule::kAnyBytes);  // PDF417
    return t;
}

bool IsDigit(std::uint8_t b) { return b >= '0' && b <= '9'; }

bool CodabarEndsAreValid(const std::uint8_t* data, std::size_t length) {
    const std::uint8_t first = data[0];
    const std::uint8_t last = data[length - 1];
    const bool firstOk = first >= 'A' && first <= 'D';
    const bool lastOk = last == '*' || (last >= 'A' && last <= 'E') || last == 'N' || last == 'T';
    return firstOk && lastOk;
}

bool ContainsSetC(const std::uint8_t* data, std::size_t length) {
    for (std::size_t i = 0; i + 1 < length; ++i)
        if (data[i] == '{' && data[i + 1] == 'C') return true;
    return false;
}

// Packs the digits of set C two to a byte, in place: the output never runs ahead of the input,
// since every copied byte consumes one input byte and every packed byte consumes two.
bool PackCode128(std::uint8_t* data, std::size_t* length) {
    std::size_t out = 0;
    bool setC = false;
    std::size_t digits = 0;
    std::uint8_t pending = 0;
    for (std::size_t i = 0; i < *length; ++i) {
        const std::uint8_t b = data[i];
        if (b == '{') {
            data[out++] = b;
            if (i + 1 == *length) break;  // a final '{' has no code-set letter to follow
            const std::uint8_t letter = data[++i];
            if (setC && digits % 2 != 0) return false;
            data[out++] = letter;
            setC = letter == 'C';
            digits = 0;
        } else if (setC) {
            if (!IsDigit(b)) return false;
            const std::uint8_t value = static_cast<std::uint8_t>(b - '0');
            if (digits++ % 2 == 0) {
                pending = value;
            } else {
                data[out++] = static_cast<std::uint8_t>(pending * 10 + value);
            }
        } else {
            data[out++] = b;
        }
    }
    if (setC && digits % 2 != 0) return false;
    *length = out;
    return true;
}

}  // namespace

const std::array<BarcodeRule, kBarcodeRuleRows> BarcodeRuleTable = MakeTable();

int BarcodeRuleRow(int code) {
    if (code < 0) return -1;
    const int row = code < 72 ? code : code - 65;
    if (row >= static_cast<int>(kBarcodeRuleRows) || !BarcodeRuleTable[row].defined) return -1;
    return row;
}

bool ValidateBarcodeData(int code, std::uint8_t* data, std::size_t* length) {
    if (data == nullptr || length == nullptr || *length == 0) return false;
    const int row = BarcodeRuleRow(code);
    if (row < 0) return false;
    const BarcodeRule& rule = BarcodeRuleTable[row];
    if (*length < rule.minLength || *length > rule.maxLength) return false;
    if (rule.extra == BarcodeExtraRule::kAnyBytes) return true;

    if (rule.extra == BarcodeExtraRule::kUpcE && data[0] != '0') return false;
    if (rule.extra == BarcodeExtraRule::kCodabar && !CodabarEndsAreValid(data, *length))
        return false;
    if (!std::all_of(data, data + *length, [&](std::uint8_t b) { return rule.allowed.Contains(b); }))
        return false;

    if (code == kCode128Code) {
        if (data[0] != '{' || (data[1] != 'A' && data[1] != 'B' && data[1] != 'C')) return false;
        if (ContainsSetC(data, *length)) return PackCode128(data, length);
    }
    return true;
}

}  // namespace plugin
