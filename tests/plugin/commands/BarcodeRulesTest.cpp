// ValidateBarcodeData: every symbology's lengths, byte sets and extra rules, and the Code128
// packing of set C digits.
#include <gtest/gtest.h>

#include <string>

#include "plugin/commands/BarcodeRules.h"

namespace plugintest {
namespace {

using plugin::ValidateBarcodeData;

bool Validate(int code, std::string data) {
    std::size_t length = data.size();
    return ValidateBarcodeData(code, reinterpret_cast<std::uint8_t*>(data.data()), &length);
}

struct ValidationCase {
    const char* name;
    int code;
    std::string data;
    bool accepted;
};

void PrintTo(const ValidationCase& c, std::ostream* os) { *os << c.name; }

class Validation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(Validation, AcceptsOrRefuses) {
    EXPECT_EQ(Validate(GetParam().code, GetParam().data), GetParam().accepted);
}

const std::string k255(255, 'A');
const std::string k256(256, 'A');
const std::string k255Digits(255, '7');
const std::string k256Digits(256, '7');

INSTANTIATE_TEST_SUITE_P(
    EachSymbology, Validation,
    ::testing::Values(
        // UPC-A, code 0: 11..12 digits.
        ValidationCase{"UpcA11Digits", 0x00, "12345678901", true},
        ValidationCase{"UpcA12Digits", 0x00, "123456789012", true},
        ValidationCase{"UpcA10Digits", 0x00, "1234567890", false},
        ValidationCase{"UpcA13Digits", 0x00, "1234567890123", false},
        ValidationCase{"UpcALetter", 0x00, "12345678901A", false},
        // UPC-E, code 1: as UPC-A, and a leading '0'.
        ValidationCase{"UpcESample", 0x01, "023456789012", true},
        ValidationCase{"UpcE11Digits", 0x01, "02345678901", true},
        ValidationCase{"UpcENotLeadingZero", 0x01, "123456789012", false},
        ValidationCase{"UpcETooShort", 0x01, "0234567890", false},
        // EAN13, code 2: 12..13 digits.
        ValidationCase{"Ean13With12", 0x02, "123456789012", true},
        ValidationCase{"Ean13With13", 0x02, "1234567890123", true},
        ValidationCase{"Ean13With11", 0x02, "12345678901", false},
        ValidationCase{"Ean13With14", 0x02, "12345678901234", false},
        // EAN8, code 3: 7..8 digits.
        ValidationCase{"Ean8With7", 0x03, "1234567", true},
        ValidationCase{"Ean8With8", 0x03, "12345678", true},
        ValidationCase{"Ean8With6", 0x03, "123456", false},
        ValidationCase{"Ean8With9", 0x03, "123456789", false},
        // Code39, code 4: 1..255 of space $ % * + - . / 0-9 A-Z.
        ValidationCase{"Code39Sample", 0x04, "123ABC*", true},
        ValidationCase{"Code39EverySymbol", 0x04, " $%*+-./09AZ", true},
        ValidationCase{"Code39LowerCase", 0x04, "abc", false},
        ValidationCase{"Code39Length255", 0x04, k255, true},
        ValidationCase{"Code39Length256", 0x04, k256, false},
        // ITF, code 5: 1..255 digits.
        ValidationCase{"ItfSample", 0x05, "123456789", true},
        ValidationCase{"ItfOneDigit", 0x05, "1", true},
        ValidationCase{"ItfLetter", 0x05, "12A", false},
        ValidationCase{"ItfLength255", 0x05, k255Digits, true},
        ValidationCase{"ItfLength256", 0x05, k256Digits, false},
        // Codabar, code 6: start A-D, stop * A-E N T.
        ValidationCase{"CodabarSample", 0x06, "A123456789A", true},
        ValidationCase{"CodabarEverySymbol", 0x06, "D$*+-./:0123456789ABCDENT", true},
        ValidationCase{"CodabarStopN", 0x06, "B1N", true},
        ValidationCase{"CodabarStopE", 0x06, "A1E", true},
        ValidationCase{"CodabarSingleStartLetter", 0x06, "A", true},
        ValidationCase{"CodabarBadStop", 0x06, "B123", false},
        ValidationCase{"CodabarStartE", 0x06, "E12A", false},
        ValidationCase{"CodabarStartDigit", 0x06, "1234A", false},
        ValidationCase{"CodabarStopF", 0x06, "A1F", false},
        ValidationCase{"CodabarInnerLetterOutsideSet", 0x06, "A1Z1A", false},
        ValidationCase{"CodabarLowerCase", 0x06, "a1a", false},
        // Code93, code 48h: 1..255 bytes 00-7F.
        ValidationCase{"Code93Sample", 0x48, "123ABC", true},
        ValidationCase{"Code93ControlBytes", 0x48, std::string("\x00\x7F", 2), true},
        ValidationCase{"Code93HighByte", 0x48, "AB\x80", false},
        ValidationCase{"Code93Length255", 0x48, k255, true},
        ValidationCase{"Code93Length256", 0x48, k256, false},
        // Code128, code 49h: 2..255 bytes 00-7F starting with {A, {B or {C.
        ValidationCase{"Code128Sample", 0x49, "{A1234", true},
        ValidationCase{"Code128PrefixOnly", 0x49, "{B", true},
        ValidationCase{"Code128NoPrefix", 0x49, "1234", false},
        ValidationCase{"Code128UnknownSet", 0x49, "{D12", false},
        ValidationCase{"Code128OneByte", 0x49, "{", false},
        ValidationCase{"Code128HighByte", 0x49, "{A\x80", false},
        ValidationCase{"Code128OddSetCDigits", 0x49, "{C123", false},
        ValidationCase{"Code128OddDigitsBeforeSwitch", 0x49, "{C123{A", false},
        ValidationCase{"Code128LetterInSetC", 0x49, "{C1A", false},
        ValidationCase{"Code128SetCThenA", 0x49, "{C12{A", true},
        ValidationCase{"Code128Length255", 0x49, "{A" + std::string(253, '1'), true},
        ValidationCase{"Code128Length256", 0x49, "{A" + std::string(254, '1'), false},
        // PDF417, code 13: 1..255 bytes of any value.
        ValidationCase{"Pdf417AnyBytes", 13, std::string("\x00\xFF{C1", 5), true},
        ValidationCase{"Pdf417Length255", 13, k255, true},
        ValidationCase{"Pdf417Length256", 13, k256, false},
        // Codes whose row holds no rule.
        ValidationCase{"CodeOfRow9", 9, "123", false},
        ValidationCase{"CodeJustBelow72", 71, "123", false},
        ValidationCase{"CodeOfRow14", 79, "123", false},
        ValidationCase{"NegativeCode", -1, "123", false},
        ValidationCase{"HugeCode", 100000, "123", false}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) { return info.param.name; });

TEST(BarcodeRuleRow, IsTheCodeBelow72AndTheCodeMinus65Above) {
    EXPECT_EQ(plugin::BarcodeRuleRow(0x00), 0);
    EXPECT_EQ(plugin::BarcodeRuleRow(0x06), 6);
    EXPECT_EQ(plugin::BarcodeRuleRow(13), 13);
    EXPECT_EQ(plugin::BarcodeRuleRow(0x48), 7);
    EXPECT_EQ(plugin::BarcodeRuleRow(0x49), 8);
    EXPECT_EQ(plugin::BarcodeRuleRow(65 + 13), 13);
    EXPECT_EQ(plugin::BarcodeRuleRow(10), -1);
}

TEST(ValidateBarcodeData, RefusesMissingBufferMissingLengthAndEmptyData) {
    std::uint8_t data[] = {'1', '2'};
    std::size_t length = 2;
    EXPECT_FALSE(ValidateBarcodeData(0x05, nullptr, &length));
    EXPECT_FALSE(ValidateBarcodeData(0x05, data, nullptr));
    length = 0;
    EXPECT_FALSE(ValidateBarcodeData(0x05, data, &length));
}

// The row's rules, not Code128's, apply to a code below 72 that shares the row.
TEST(ValidateBarcodeData, OnlyCode49hGetsTheCode128PrefixRule) {
    EXPECT_TRUE(Validate(8, "1234"));
    EXPECT_FALSE(Validate(0x49, "1234"));
}

struct PackingCase {
    const char* name;
    std::string data;
    std::vector<std::uint8_t> packed;
};

void PrintTo(const PackingCase& c, std::ostream* os) { *os << c.name; }

class Code128Packing : public ::testing::TestWithParam<PackingCase> {};

TEST_P(Code128Packing, ReplacesTheDataWithThePackedForm) {
    std::string data = GetParam().data;
    std::size_t length = data.size();
    ASSERT_TRUE(ValidateBarcodeData(0x49, reinterpret_cast<std::uint8_t*>(data.data()), &length));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + length), GetParam().packed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Code128Packing,
    ::testing::Values(
        // "12" and "34" in set C are the numbers 12 (0C) and 34 (22).
        PackingCase{"SetCPairs", "{C1234", {0x7B, 0x43, 0x0C, 0x22}},
        PackingCase{"SetCThenSetA", "{C12{A", {0x7B, 0x43, 0x0C, 0x7B, 0x41}},
        // Bytes of sets A and B are copied; "34" is 22, "56" is 38.
        PackingCase{"MixedSets", "{A12{C3456{B7",
                    {0x7B, 0x41, 0x31, 0x32, 0x7B, 0x43, 0x22, 0x38, 0x7B, 0x42, 0x37}},
        PackingCase{"ExtremePairs", "{C0099", {0x7B, 0x43, 0x00, 0x63}},
        PackingCase{"EmptySetC", "{C", {0x7B, 0x43}},
        // Without "{C" the data is left as it is, digits included.
        PackingCase{"NoSetCUnchanged", "{B{A12", {0x7B, 0x42, 0x7B, 0x41, 0x31, 0x32}}),
    [](const ::testing::TestParamInfo<PackingCase>& info) { return info.param.name; });

}  // namespace
}  // namespace plugintest
