// The "1D Code" test print job: header, both data framings, the packed Code128 form, the cut,
// and the refusals that send nothing.
#include <gtest/gtest.h>

#include <string_view>

#include "plugin/commands/Barcode1DTestPrint.h"

namespace plugintest {
namespace {

using plugin::ByteString;

plugin::BarcodeSlot1D Slot(std::uint8_t symbology, std::uint8_t width, std::int32_t height,
                           std::uint8_t hriPosition, std::uint8_t hriFont) {
    plugin::BarcodeSlot1D slot{};
    slot.symbology = symbology;
    slot.moduleWidth = width;
    slot.barHeight = height;
    slot.hriPosition = hriPosition;
    slot.hriFont = hriFont;
    return slot;
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(Barcode1DTestPrint, NulTerminatedFormOfTheDefaultUpcASlot) {
    // Slot 1 as the device mode's defaults leave it: UPC-A, width 3, height 163 (A3), no HRI,
    // Font A.
    const plugin::OemDevmode dm = plugin::DefaultOemDevmode();
    const auto job = plugin::Barcode1DTestJob(dm.barcode1D[0], Bytes("123456789012"));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->documentName, u"Barcode");
    const ByteString expected = {
        0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x77, 0x03,  // GS f 0, GS H 0, GS w 3
        0x1D, 0x68, 0xA3, 0x1D, 0x6B, 0x00,                    // GS h 163, GS k 0 (UPC-A)
        '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2',
        0x00,                                                  // NUL terminator
        0x0A, 0x1D, 0x56, 0x42, 0x00,                          // LF, feed and cut
    };
    EXPECT_EQ(job->Bytes(), expected);
}

TEST(Barcode1DTestPrint, LengthPrefixedFormRepeatsTheSettingsAfterANulByte) {
    // Code93 (48h), HRI below in Font B, width 2, height 80 (50h), six bytes of data.
    const auto job = plugin::Barcode1DTestJob(Slot(7, 2, 80, 2, 1), Bytes("123ABC"));
    ASSERT_TRUE(job);
    const ByteString expected = {
        0x1D, 0x66, 0x01, 0x1D, 0x48, 0x02, 0x1D, 0x77, 0x02, 0x1D, 0x68, 0x50, 0x1D, 0x6B, 0x48,
        0x00,
        0x1D, 0x77, 0x02, 0x1D, 0x68, 0x50, 0x1D, 0x6B, 0x48,  // last nine bytes of the header
        0x06, '1', '2', '3', 'A', 'B', 'C',                    // n, then n bytes
        0x00,
        0x0A, 0x1D, 0x56, 0x42, 0x00,
    };
    EXPECT_EQ(job->Bytes(), expected);
}

TEST(Barcode1DTestPrint, Code128SendsThePackedDataAndItsPackedLength) {
    // {C1234 packs to 7B 43 0C 22; height 300 sends its low byte 2C; HRI both, Font A.
    const auto job = plugin::Barcode1DTestJob(Slot(8, 6, 300, 3, 0), Bytes("{C1234"));
    ASSERT_TRUE(job);
    const ByteString expected = {
        0x1D, 0x66, 0x00, 0x1D, 0x48, 0x03, 0x1D, 0x77, 0x06, 0x1D, 0x68, 0x2C, 0x1D, 0x6B, 0x49,
        0x00,
        0x1D, 0x77, 0x06, 0x1D, 0x68, 0x2C, 0x1D, 0x6B, 0x49,
        0x04, 0x7B, 0x43, 0x0C, 0x22,
        0x00,
        0x0A, 0x1D, 0x56, 0x42, 0x00,
    };
    EXPECT_EQ(job->Bytes(), expected);
}

// The symbology byte sent after GS k is the code of the list entry, which for EAN8 and EAN13
// is not their list order; each entry's sample data passes its own validation.
struct SymbologyCase {
    std::uint8_t index;
    std::uint8_t code;
    const char* sample;
};

class Barcode1DSymbology : public ::testing::TestWithParam<SymbologyCase> {};

TEST_P(Barcode1DSymbology, SendsTheListEntrysCodeWithItsSampleData) {
    const SymbologyCase& c = GetParam();
    EXPECT_EQ(plugin::kSymbologies1D[c.index].sampleData, c.sample);
    const auto job = plugin::Barcode1DTestJob(Slot(c.index, 3, 100, 0, 0), Bytes(c.sample));
    ASSERT_TRUE(job);
    const ByteString bytes = job->Bytes();
    ASSERT_GT(bytes.size(), 15u);
    EXPECT_EQ(bytes[13], 0x6B);
    EXPECT_EQ(bytes[14], c.code);
}

INSTANTIATE_TEST_SUITE_P(EachEntry, Barcode1DSymbology,
                         ::testing::Values(SymbologyCase{0, 0x00, "123456789012"},
                                           SymbologyCase{1, 0x01, "023456789012"},
                                           SymbologyCase{2, 0x03, "12345678"},
                                           SymbologyCase{3, 0x02, "1234567890123"},
                                           SymbologyCase{4, 0x04, "123ABC*"},
                                           SymbologyCase{5, 0x05, "123456789"},
                                           SymbologyCase{6, 0x06, "A123456789A"},
                                           SymbologyCase{7, 0x48, "123ABC"},
                                           SymbologyCase{8, 0x49, "{A1234"}));

TEST(Barcode1DTestPrint, ValidatesWithTheEntrysCodeNotItsListIndex) {
    // Eight digits are an EAN8 (list entry 2, code 03) but not an EAN13 (entry 3, code 02).
    EXPECT_TRUE(plugin::Barcode1DTestJob(Slot(2, 3, 100, 0, 0), Bytes("12345678")));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(3, 3, 100, 0, 0), Bytes("12345678")));
}

TEST(Barcode1DTestPrint, InvalidDataGivesNoJob) {
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(1, 3, 100, 0, 0), Bytes("123456789012")));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(6, 3, 100, 0, 0), Bytes("B123")));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(8, 3, 100, 0, 0), Bytes("{C123")));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(7, 3, 100, 0, 0), Bytes(std::string(256, 'A'))));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(0, 3, 100, 0, 0), Bytes("")));
}

TEST(Barcode1DTestPrint, LongestCode93DataIsSentWithLength255) {
    const std::string data(255, 'A');
    const auto job = plugin::Barcode1DTestJob(Slot(7, 3, 100, 0, 0), Bytes(data));
    ASSERT_TRUE(job);
    const ByteString bytes = job->Bytes();
    // 15 header + 00 + 9 repeated + n + 255 data + 00 + 5 tail.
    ASSERT_EQ(bytes.size(), 15u + 1 + 9 + 1 + 255 + 1 + 5);
    EXPECT_EQ(bytes[25], 0xFF);
}

TEST(Barcode1DTestPrint, ASymbologyByteOutsideTheListGivesNoJob) {
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(9, 3, 100, 0, 0), Bytes("123456789012")));
    EXPECT_FALSE(plugin::Barcode1DTestJob(Slot(0xFF, 3, 100, 0, 0), Bytes("123456789012")));
}

}  // namespace
}  // namespace plugintest
