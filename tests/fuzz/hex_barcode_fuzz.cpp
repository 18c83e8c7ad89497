// Fuzz target: the hex codec of raw commands and the barcode data rules. Bytes formatted as hex
// parse back to the same bytes; any text parses; a stored field takes exactly the texts whose
// bytes fit it; checking barcode data never grows it and only passes lengths its row allows.
#include <cstring>

#include "plugin/commands/BarcodeRules.h"
#include "plugin/commands/CommandHex.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int code = data[0];
    std::span<const std::uint8_t> bytes(data + 1, size - 1);

    // Round trip: bytes -> hex text -> bytes, in UTF-16 and in 8-bit text.
    const std::u16string hex = plugin::FormatCommandHex(bytes);
    FUZZ_CHECK(hex.size() == bytes.size() * 3, "three characters a byte");
    const std::vector<std::uint8_t> back = plugin::ParseCommandHex(hex);
    FUZZ_CHECK(back.size() == bytes.size() && std::equal(back.begin(), back.end(), bytes.begin()),
               "hex does not round-trip");
    const std::string narrow(hex.begin(), hex.end());
    FUZZ_CHECK(plugin::ParseCommandHex(narrow) == back, "8-bit and UTF-16 parsing differ");

    // The same bytes taken as a typed text: parsing is lenient, storing is bounded.
    const std::string typed(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::vector<std::uint8_t> parsed = plugin::ParseCommandHex(typed);
    FUZZ_CHECK(parsed.size() <= typed.size(), "more bytes than characters");
    const std::u16string typed16(typed.begin(), typed.end());
    std::uint8_t field[128];
    std::memset(field, 0xEE, sizeof field);
    std::uint8_t length = 0xEE;
    const bool stored = plugin::StoreCommandHex(typed16, field, length);
    FUZZ_CHECK(stored == (parsed.size() <= sizeof field), "stored exactly when it fits");
    if (stored) {
        FUZZ_CHECK(length == parsed.size() && std::equal(parsed.begin(), parsed.end(), field),
                   "the stored bytes differ");
        for (std::size_t i = parsed.size(); i < sizeof field; ++i) FUZZ_CHECK(field[i] == 0, "the rest is not zero");
    } else {
        FUZZ_CHECK(length == 0xEE && field[0] == 0xEE, "a refused text changed the field");
    }

    // Barcode data, checked in a copy of exactly its size (ASan sees any read or write past it).
    std::vector<std::uint8_t> barcode(bytes.begin(), bytes.end());
    std::size_t barcodeLength = barcode.size();
    const int row = plugin::BarcodeRuleRow(code);
    const bool valid = plugin::ValidateBarcodeData(code, barcode.empty() ? nullptr : barcode.data(), &barcodeLength);
    FUZZ_CHECK(barcodeLength <= bytes.size(), "the data grew");
    if (valid) {
        FUZZ_CHECK(row >= 0, "data passed for a code without a rule");
        const plugin::BarcodeRule& rule = plugin::BarcodeRuleTable[static_cast<std::size_t>(row)];
        FUZZ_CHECK(rule.defined && bytes.size() >= rule.minLength && bytes.size() <= rule.maxLength,
                   "data passed outside its row's lengths");
        FUZZ_CHECK(barcodeLength >= 1, "passed with no data");
    }
    return 0;
}
