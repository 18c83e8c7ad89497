// The printer's barcode rules and the symbols libzint makes for them, read back by an
// independent reader. Expected texts are worked by hand (check digits, zero suppression).
#include "tools/thermalprinter/barcode_symbols.h"

#include <gtest/gtest.h>

#include "tests/tools/thermalprinter/zxing_reader.h"

namespace thermal {
namespace {

// The symbol drawn 3 pixels a module (bars 80 pixels tall for a linear symbol) with a quiet
// zone of 12 modules, and what the reader finds in it.
std::vector<thermaltest::ReadCode> Read(const SymbolMatrix& m) {
    constexpr int kModule = 3, kQuiet = 12 * kModule;
    const int rowHeight = m.rows == 1 ? 80 : kModule;
    const int width = m.width * kModule + 2 * kQuiet, height = m.rows * rowHeight + 2 * kQuiet;
    std::vector<std::uint8_t> gray(static_cast<std::size_t>(width) * height, 255);
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.width; ++c)
            if (m.modules[static_cast<std::size_t>(r) * m.width + c])
                for (int y = 0; y < rowHeight; ++y)
                    for (int x = 0; x < kModule; ++x)
                        gray[static_cast<std::size_t>(kQuiet + r * rowHeight + y) * width + kQuiet + c * kModule + x] = 0;
    return thermaltest::ReadCodes(width, height, gray);
}

struct Readable {
    Symbology symbology;
    const char* data;
    const char* format;
    const char* read;
};

TEST(BarcodeSymbols, EveryLinearSymbologyReadsBackAsTheData) {
    const Readable cases[] = {
        {Symbology::UpcA, "12345678901", "UPC-A", "123456789012"},   // check digit added
        {Symbology::UpcA, "123456789012", "UPC-A", "123456789012"},  // and accepted when right
        {Symbology::UpcE, "01200000345", "UPC-E", "01234505"},       // 0 12000 00345 suppressed
        {Symbology::UpcE, "012000003455", "UPC-E", "01234505"},
        {Symbology::UpcE, "0123450", "UPC-E", "01234505"},
        {Symbology::UpcE, "01234505", "UPC-E", "01234505"},
        {Symbology::Ean13, "123456789012", "EAN-13", "1234567890128"},
        {Symbology::Ean8, "1234567", "EAN-8", "12345670"},
        {Symbology::Ean8, "12345670", "EAN-8", "12345670"},
        {Symbology::Code39, "*ABC-12*", "Code39", "ABC-12"},
        {Symbology::Code39, "PRICE $5", "Code39", "PRICE $5"},
        {Symbology::Itf, "1234567890", "ITF", "1234567890"},
        {Symbology::Codabar, "A123456789A", "Codabar", "A123456789A"},
        {Symbology::Codabar, "b12-34t", "Codabar", "B12-34A"},  // t is the stop A
        {Symbology::Code93, "123ABC", "Code93", "123ABC"},
        {Symbology::Code128, "{A1234", "Code128", "1234"},
        {Symbology::Code128, "{C\x0c\x22", "Code128", "1234"},           // set C values 12, 34
        {Symbology::Code128, "{BShop{C\x2a{A{{x", "Code128", "Shop42{x"},  // "{{" is a brace
    };
    for (const Readable& c : cases) {
        SCOPED_TRACE(c.data);
        const SymbolResult r = EncodeLinear(c.symbology, c.data);
        ASSERT_TRUE(r.symbol) << r.error;
        EXPECT_EQ(r.symbol->rows, 1);
        const auto read = Read(*r.symbol);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0].format, c.format);
        EXPECT_EQ(read[0].text, c.read);
    }
}

TEST(BarcodeSymbols, DataAgainstThePrintersRulesIsRefusedWithTheReason) {
    struct Refusal {
        Symbology symbology;
        std::string data;
        const char* reason;  // a part of the error
    };
    const Refusal cases[] = {
        {Symbology::UpcA, "1234567890", "11 or 12 digits"},
        {Symbology::UpcA, "1234567890123", "11 or 12 digits"},
        {Symbology::UpcA, "123456789013", "check digit 3 is wrong: 2 expected"},
        {Symbology::UpcE, "02345678901", "cannot be written as UPC-E"},
        {Symbology::UpcE, "023456789012", "check digit 2 is wrong: 5 expected"},
        {Symbology::UpcE, "01234506", "check digit 6 is wrong: 5 expected"},
        {Symbology::UpcE, "2123450", "number system"},
        {Symbology::Ean13, "1234567890123", "check digit 3 is wrong: 8 expected"},
        {Symbology::Ean8, "12345678", "check digit 8 is wrong: 0 expected"},
        {Symbology::Code39, "AB*C", "'*'"},
        {Symbology::Code39, "abc", "'a'"},
        {Symbology::Itf, "123456789", "even number"},
        {Symbology::Codabar, "A123", "A, B, C or D"},
        {Symbology::Codabar, "A12X4B", "'X'"},
        {Symbology::Code128, "1234", "{A, {B or {C"},
        {Symbology::Code128, "{A12{1", "{1 is not drawn"},
        {Symbology::Code128, "{C\x64", "above 99"},
        {Symbology::Code93, std::string(256, 'A'), "longer than 255 bytes"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.data);
        const SymbolResult r = EncodeLinear(c.symbology, c.data);
        EXPECT_FALSE(r.symbol);
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
    }
    // 255 bytes pass the printer's own limit; Code93 itself holds 107 characters.
    EXPECT_EQ(EncodeLinear(Symbology::Code93, std::string(255, 'A')).error.find("longer than 255"), std::string::npos);
    EXPECT_TRUE(EncodeLinear(Symbology::Code93, std::string(107, 'A')).symbol);
    EXPECT_FALSE(EncodeLinear(Symbology::Code93, std::string(108, 'A')).symbol);
}

TEST(BarcodeSymbols, TwoDimensionalCodesReadBackAndKeepTheirSettings) {
    const SymbolResult pdf = EncodePdf417("01234567890123", 3, 5);
    ASSERT_TRUE(pdf.symbol) << pdf.error;
    auto read = Read(*pdf.symbol);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].format, "PDF417");
    EXPECT_EQ(read[0].text, "01234567890123");
    // Three data columns: start, left indicator, 3 x 17, right indicator and stop (18 modules).
    EXPECT_EQ(pdf.symbol->width, 17 + 17 + 3 * 17 + 17 + 18);

    const SymbolResult qr = EncodeQr("https://example.com/r/1", 'H', 2);
    ASSERT_TRUE(qr.symbol) << qr.error;
    EXPECT_TRUE(qr.symbol->remark.empty());
    read = Read(*qr.symbol);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].format, "QRCode");
    EXPECT_EQ(read[0].text, "https://example.com/r/1");

    const SymbolResult model1 = EncodeQr("1", 'L', 1);
    ASSERT_TRUE(model1.symbol);
    EXPECT_EQ(model1.symbol->width, 21);  // version 1
    EXPECT_EQ(model1.symbol->remark, "QR model 1 drawn as model 2");

    EXPECT_FALSE(EncodeQr("1", 'X', 2).symbol);
    EXPECT_FALSE(EncodeQr("1", 'L', 3).symbol);
    EXPECT_FALSE(EncodePdf417("", 3, 5).symbol);
    EXPECT_FALSE(EncodePdf417("1", 3, 9).symbol);
    EXPECT_TRUE(EncodeQr(std::string(2000, 'x'), 'L', 2).symbol);
    EXPECT_NE(EncodeQr(std::string(2001, 'x'), 'L', 2).error.find("2000 bytes"), std::string::npos);
}

}  // namespace
}  // namespace thermal
