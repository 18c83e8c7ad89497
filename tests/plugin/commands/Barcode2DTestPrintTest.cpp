// The "2D Code" test print job for PDF417 and QR Code, and its refusals.
#include <gtest/gtest.h>

#include <string_view>

#include "plugin/commands/Barcode2DTestPrint.h"

namespace plugintest {
namespace {

using plugin::ByteString;

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

plugin::BarcodeSlot2D Pdf417(std::uint8_t width, std::uint8_t height, std::uint8_t columns,
                             std::uint8_t rows, std::uint8_t level) {
    plugin::BarcodeSlot2D slot{};
    slot.symbology = 0;
    slot.pdfModuleWidth = width;
    slot.pdfModuleHeight = height;
    slot.pdfColumns = columns;
    slot.pdfRows = rows;
    slot.pdfErrorLevel = level;
    return slot;
}

plugin::BarcodeSlot2D Qr(std::uint8_t size, std::uint8_t language, std::uint8_t model,
                         std::uint8_t correction) {
    plugin::BarcodeSlot2D slot{};
    slot.symbology = 1;
    slot.qrModuleSize = size;
    slot.qrLanguage = language;
    slot.qrModel = model;
    slot.qrErrorCorrection = correction;
    return slot;
}

TEST(Barcode2DTestPrint, DefaultPdf417SlotWithTheSampleData) {
    // Slot 1 as the device mode's defaults leave it: width, height, columns and rows 3, level 5.
    const plugin::OemDevmode dm = plugin::DefaultOemDevmode();
    const auto job = plugin::Barcode2DTestJob(dm.barcode2D[0], Bytes(plugin::kSample2DData));
    ASSERT_TRUE(job);
    EXPECT_EQ(job->documentName, u"2Dcode");
    const ByteString expected = {
        0x1D, 0x70, 0x01, 0x01, 0x03, 0x03, 0x03, 0x03, 0x1D, 0x71, 0x05, 0x1D, 0x6B, 0x0A,
        '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3',
        0x00,
        0x0A, 0x1D, 0x56, 0x42, 0x00,
    };
    EXPECT_EQ(job->Bytes(), expected);
}

TEST(Barcode2DTestPrint, Pdf417HeaderSendsRowsColumnsWidthHeightThenLevel) {
    // Rows 20 (14h), columns 5, width 2, height 7, level 8: each value in its own place.
    const auto job = plugin::Barcode2DTestJob(Pdf417(2, 7, 5, 20, 8), Bytes("X"));
    ASSERT_TRUE(job);
    const ByteString expected = {
        0x1D, 0x70, 0x01, 0x01, 0x14, 0x05, 0x02, 0x07, 0x1D, 0x71, 0x08, 0x1D, 0x6B, 0x0A,
        'X', 0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00,
    };
    EXPECT_EQ(job->Bytes(), expected);
}

TEST(Barcode2DTestPrint, QrCodeHeaderWithModel2AndLevelQ) {
    // Module size 4, Japanese (1), model 2, list index 3 = 'Q' (51h).
    const auto job = plugin::Barcode2DTestJob(Qr(4, 1, 2, 3), Bytes("AB"));
    ASSERT_TRUE(job);
    const ByteString expected = {
        0x1D, 0x6F, 0x00, 0x04, 0x01, 0x02, 0x1D, 0x6B, 0x0B, 0x51, 0x41, 0x2C,
        'A', 'B', 0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00,
    };
    EXPECT_EQ(job->Bytes(), expected);
}

// The QR error correction list is L, M, H, Q: index 2 is 'H', index 3 is 'Q'.
TEST(Barcode2DTestPrint, QrErrorCorrectionIndexSendsItsLetter) {
    const std::uint8_t letters[] = {0x4C, 0x4D, 0x48, 0x51};
    for (std::uint8_t index = 0; index < 4; ++index) {
        const auto job = plugin::Barcode2DTestJob(Qr(3, 0, 1, index), Bytes("1"));
        ASSERT_TRUE(job);
        EXPECT_EQ(job->Bytes()[9], letters[index]) << "list index " << int(index);
    }
}

TEST(Barcode2DTestPrint, DataOf1To255BytesIsSentAndOthersRefused) {
    EXPECT_TRUE(plugin::Barcode2DTestJob(Pdf417(3, 3, 3, 3, 5), Bytes(std::string(255, 'z'))));
    EXPECT_FALSE(plugin::Barcode2DTestJob(Pdf417(3, 3, 3, 3, 5), Bytes(std::string(256, 'z'))));
    EXPECT_FALSE(plugin::Barcode2DTestJob(Pdf417(3, 3, 3, 3, 5), Bytes("")));
    EXPECT_TRUE(plugin::Barcode2DTestJob(Qr(3, 0, 1, 1), Bytes(std::string(255, 'z'))));
    EXPECT_FALSE(plugin::Barcode2DTestJob(Qr(3, 0, 1, 1), Bytes(std::string(256, 'z'))));
    EXPECT_FALSE(plugin::Barcode2DTestJob(Qr(3, 0, 1, 1), Bytes("")));
}

TEST(Barcode2DTestPrint, StoredBytesOutsideTheirListsGiveNoJob) {
    plugin::BarcodeSlot2D unknown = Pdf417(3, 3, 3, 3, 5);
    unknown.symbology = 2;
    EXPECT_FALSE(plugin::Barcode2DTestJob(unknown, Bytes("1")));
    EXPECT_FALSE(plugin::Barcode2DTestJob(Qr(3, 0, 1, 4), Bytes("1")));
}

}  // namespace
}  // namespace plugintest
