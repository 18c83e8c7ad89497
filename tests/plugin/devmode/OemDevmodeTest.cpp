// The private device mode's stored bytes: defaults at their offsets, the operation blocks'
// four layouts and the fields the pages edit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/devmode/OemDevmode.h"
#include "tests/plugin/devmode/ByteReading.h"

namespace {

using namespace plugin;
using testbytes::I32;
using testbytes::U8;

TEST(OemDevmodeDefaults, HeaderIsSizeSignatureVersion) {
    const OemDevmode dm = DefaultOemDevmode();
    EXPECT_EQ(I32(dm, 0), 1464);
    EXPECT_EQ(static_cast<std::uint32_t>(I32(dm, 4)), 0x51454C4Du);
    // 'QELM' with Q in the most significant byte: stored little-endian as "MLEQ".
    EXPECT_EQ(U8(dm, 4), 'M');
    EXPECT_EQ(U8(dm, 7), 'Q');
    EXPECT_EQ(I32(dm, 8), 1);
    EXPECT_EQ(I32(dm, 12), 0);
}

TEST(OemDevmodeDefaults, OnlyEndOfDocumentFeedsAndCutsPartially) {
    const OemDevmode dm = DefaultOemDevmode();
    EXPECT_EQ(U8(dm, 309), 1);  // feed to cut position
    EXPECT_EQ(U8(dm, 440), 1);  // "Partial Cut"
    // Every other operation byte, command area included, is zero.
    for (std::size_t offset = 16; offset < 596; ++offset) {
        if (offset == 309 || offset == 440) continue;
        EXPECT_EQ(U8(dm, offset), 0) << "offset " << offset;
    }
}

TEST(OemDevmodeDefaults, LinearSlotsHoldTheirSymbologiesAndParameters) {
    const OemDevmode dm = DefaultOemDevmode();
    const std::uint8_t symbologies[8] = {0, 1, 3, 4, 5, 6, 7, 8};  // EAN8 (2) in no slot
    for (std::size_t k = 0; k < 8; ++k) {
        const std::size_t base = 596 + 36 * k;
        SCOPED_TRACE(k);
        EXPECT_EQ(U8(dm, base + 0), symbologies[k]);
        EXPECT_EQ(U8(dm, base + 1), 3);
        EXPECT_EQ(U8(dm, base + 2), 0);
        EXPECT_EQ(U8(dm, base + 3), 0);
        EXPECT_EQ(I32(dm, base + 4), 163);
        EXPECT_EQ(U8(dm, base + 8), 0);
        EXPECT_EQ(U8(dm, base + 9), 0);
        EXPECT_EQ(I32(dm, base + 12), 24);
        EXPECT_EQ(I32(dm, base + 16), 163);
        EXPECT_EQ(U8(dm, base + 20), 2);
        EXPECT_EQ(I32(dm, base + 24), 100);
        EXPECT_EQ(I32(dm, base + 28), 2);
        EXPECT_EQ(U8(dm, base + 32), 1);
        EXPECT_EQ(U8(dm, base + 33), 1);
        EXPECT_EQ(U8(dm, base + 34), 1);
        EXPECT_EQ(U8(dm, base + 35), 0);
    }
}

TEST(OemDevmodeDefaults, TwoDimensionalSlotsHoldPdf417Parameters) {
    const OemDevmode dm = DefaultOemDevmode();
    const std::uint8_t bytes[24] = {0, 3, 3, 3, 3, 5, 2, 0, 100, 0, 0, 0,
                                    2, 0, 0, 0, 2, 4, 1, 1, 3, 0, 1, 1};
    for (std::size_t k = 0; k < 2; ++k)
        for (std::size_t i = 0; i < 24; ++i)
            EXPECT_EQ(U8(dm, 884 + 24 * k + i), bytes[i]) << "slot " << k << " byte " << i;
}

TEST(OemDevmodeDefaults, WatermarkAndPageFields) {
    const OemDevmode dm = DefaultOemDevmode();
    struct Expected {
        std::size_t offset;
        int value;
    };
    for (const Expected& e : {Expected{998, 0}, {1250, 0}, {1384, 50}, {1385, 0}, {1392, 4},
                              {1393, 100}, {1394, 50}, {1395, 100}, {1396, 0}, {1462, 0}})
        EXPECT_EQ(U8(dm, e.offset), e.value) << "offset " << e.offset;
    EXPECT_EQ(I32(dm, 1388), 45);
    // Texts and reserved areas are zero.
    for (std::size_t offset = 932; offset < 998; ++offset) EXPECT_EQ(U8(dm, offset), 0);
    for (std::size_t offset = 1000; offset < 1250; ++offset) EXPECT_EQ(U8(dm, offset), 0);
    for (std::size_t offset = 1252; offset < 1384; ++offset) EXPECT_EQ(U8(dm, offset), 0);
    for (std::size_t offset = 1398; offset < 1462; ++offset) EXPECT_EQ(U8(dm, offset), 0);
}

TEST(OemDevmodeDefaults, ClearBytesTheDefaultsDoNotName) {
    OemDevmode dm;
    std::memset(&dm, 0xAA, sizeof dm);
    WriteOemDevmodeDefaults(dm);
    const OemDevmode defaults = DefaultOemDevmode();
    EXPECT_EQ(std::memcmp(&dm, &defaults, sizeof dm), 0);
    for (std::size_t offset : {152u, 300u, 444u, 588u, 160u, 307u, 451u, 595u, 933u, 999u,
                               1251u, 1386u, 1397u, 1463u})
        EXPECT_EQ(U8(dm, offset), 0) << "offset " << offset;
}

// Where each field of an operation block lands, per moment (absolute offsets).
struct BlockOffsets {
    OperationMoment moment;
    std::size_t send, feedBeforeCut, command, length, drawer, cut, feed, buzzerEnable,
        reservedBuzzer, selector, beep, logo, alignment, position;
};

class OperationBlockLayout : public testing::TestWithParam<BlockOffsets> {};

TEST_P(OperationBlockLayout, EachFieldLandsAtItsMomentsOffset) {
    const BlockOffsets& at = GetParam();
    OperationBlock block;
    block.sendCommand = 1;
    block.feedBeforeCut = 2;
    for (std::size_t i = 0; i < kCommandCapacity; ++i)
        block.command[i] = static_cast<std::uint8_t>(0x80 + i % 64);
    block.commandLength = 3;
    block.cashDrawer = 4;
    block.paperCut = 5;
    block.paperFeed = 6;
    block.buzzerEnable = 7;
    block.reservedBuzzer = 8;
    block.drawerOrBuzzer = 0x0A0B0C0D;
    block.beep = 9;
    block.logo = 10;
    block.logoAlignment = 11;
    block.logoPosition = 12;

    OemDevmode dm = DefaultOemDevmode();
    WriteOperationBlock(dm, at.moment, block);
    EXPECT_EQ(U8(dm, at.send), 1);
    EXPECT_EQ(U8(dm, at.feedBeforeCut), 2);
    EXPECT_EQ(U8(dm, at.command), 0x80);
    EXPECT_EQ(U8(dm, at.command + 127), 0x80 + 127 % 64);
    EXPECT_EQ(U8(dm, at.length), 3);
    EXPECT_EQ(U8(dm, at.drawer), 4);
    EXPECT_EQ(U8(dm, at.cut), 5);
    EXPECT_EQ(U8(dm, at.feed), 6);
    EXPECT_EQ(U8(dm, at.buzzerEnable), 7);
    EXPECT_EQ(U8(dm, at.reservedBuzzer), 8);
    EXPECT_EQ(I32(dm, at.selector), 0x0A0B0C0D);
    EXPECT_EQ(U8(dm, at.beep), 9);
    EXPECT_EQ(U8(dm, at.logo), 10);
    EXPECT_EQ(U8(dm, at.alignment), 11);
    EXPECT_EQ(U8(dm, at.position), 12);
    EXPECT_EQ(ReadOperationBlock(dm, at.moment), block);

    // The other three blocks are untouched.
    const OemDevmode defaults = DefaultOemDevmode();
    for (OperationMoment other : {OperationMoment::StartDocument, OperationMoment::StartPage,
                                  OperationMoment::EndDocument, OperationMoment::EndPage})
        if (other != at.moment) {
            EXPECT_EQ(ReadOperationBlock(dm, other), ReadOperationBlock(defaults, other));
        }
}

INSTANTIATE_TEST_SUITE_P(
    FourMoments, OperationBlockLayout,
    testing::Values(
        BlockOffsets{OperationMoment::StartDocument, 16, 17, 18, 146, 147, 148, 149, 150, 156,
                     152, 157, 158, 159, 160},
        BlockOffsets{OperationMoment::StartPage, 161, 162, 163, 291, 292, 293, 294, 296, 295,
                     300, 304, 305, 306, 307},
        BlockOffsets{OperationMoment::EndDocument, 308, 309, 310, 438, 439, 440, 441, 443, 442,
                     444, 448, 449, 450, 451},
        BlockOffsets{OperationMoment::EndPage, 452, 453, 454, 582, 583, 584, 585, 587, 586, 588,
                     592, 593, 594, 595}));

TEST(OemDevmodeTexts, LongTextIsCutAndLeavesNoOlderCharacters) {
    OemDevmode dm = DefaultOemDevmode();
    dm.watermarkText.assign(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(dm.watermarkText.str(), u"ABCDEFGHIJKLMNO");  // 15 characters and the zero
    EXPECT_EQ(U8(dm, 1252), 'A');
    EXPECT_EQ(U8(dm, 1253), 0);
    EXPECT_EQ(U8(dm, 1282), 0);  // the terminator sits in the last unit
    dm.watermarkText.assign(u"\u00E9x");
    EXPECT_EQ(U8(dm, 1252), 0xE9);
    EXPECT_EQ(U8(dm, 1254), 'x');
    for (std::size_t offset = 1256; offset < 1284; ++offset) EXPECT_EQ(U8(dm, offset), 0);
}

// The main page's fields as the pages see them, against their stored bytes.
TEST(OemDevmodeMainPageFields, FlagsAndWatermarkModeLandAtTheirOffsets) {
    OemDevmode dm = DefaultOemDevmode();
    dm.textAsGraphics = true;
    dm.rotate180 = true;
    dm.zoomPrinting = true;
    dm.scalePercent = 55;
    dm.watermarkMode = WatermarkMode::Text;
    EXPECT_EQ(U8(dm, 998), 1);
    EXPECT_EQ(U8(dm, 1396), 1);
    EXPECT_EQ(U8(dm, 1462), 1);
    EXPECT_EQ(U8(dm, 1395), 55);
    EXPECT_EQ(U8(dm, 1250), 2);
    // Their neighbours are padding or other fields and stay as they were.
    for (std::size_t offset : {997u, 999u, 1249u, 1251u, 1397u, 1461u, 1463u})
        EXPECT_EQ(U8(dm, offset), 0) << "offset " << offset;
    EXPECT_EQ(U8(dm, 1394), 50);  // watermark brightness

    dm.watermarkMode = WatermarkMode::Image;
    EXPECT_EQ(U8(dm, 1250), 1);
    dm.textAsGraphics = false;
    EXPECT_EQ(U8(dm, 998), 0);
}

TEST(OemDevmodeMainPageFields, AnyNonZeroFlagByteReadsAsYes) {
    OemDevmode dm = DefaultOemDevmode();
    auto* bytes = reinterpret_cast<std::uint8_t*>(&dm);
    for (std::uint8_t stored : {0, 1, 2, 255}) {
        bytes[998] = bytes[1396] = bytes[1462] = stored;
        EXPECT_EQ(static_cast<bool>(dm.textAsGraphics), stored != 0) << int{stored};
        EXPECT_EQ(static_cast<bool>(dm.rotate180), stored != 0) << int{stored};
        EXPECT_EQ(static_cast<bool>(dm.zoomPrinting), stored != 0) << int{stored};
    }
    bytes[1250] = 7;  // not a mode the page knows, but not None either
    EXPECT_NE(dm.watermarkMode, WatermarkMode::None);
}

TEST(OemDevmodeMainPageFields, PaperNameHoldsThirtyOneCharactersAndAZero) {
    OemDevmode dm = DefaultOemDevmode();
    dm.zoomPrinting = true;  // the byte after the name
    dm.paperSizeName.assign(u"A4");
    EXPECT_EQ(U8(dm, 1398), 'A');
    EXPECT_EQ(U8(dm, 1399), 0);
    EXPECT_EQ(U8(dm, 1400), '4');
    for (std::size_t offset = 1402; offset < 1462; ++offset) EXPECT_EQ(U8(dm, offset), 0);

    const std::u16string exact(31, u'x');
    dm.paperSizeName.assign(exact);
    EXPECT_EQ(dm.paperSizeName.str(), exact);
    EXPECT_EQ(U8(dm, 1398 + 60), 'x');  // the 31st character
    EXPECT_EQ(U8(dm, 1460), 0);         // the terminator in the last unit

    dm.paperSizeName.assign(u"Custom Paper-123456789012345678901234567890");
    EXPECT_EQ(dm.paperSizeName.str(), u"Custom Paper-123456789012345678");
    EXPECT_EQ(U8(dm, 1460), 0);
    EXPECT_EQ(U8(dm, 1461), 0);
    EXPECT_EQ(U8(dm, 1462), 1);  // zoom untouched
}

TEST(OemDevmodeBarcodeSlots, SlotsByFontIndexAndNoneOutside) {
    OemDevmode dm = DefaultOemDevmode();
    ASSERT_NE(Barcode1DSlot(dm, 7), nullptr);
    Barcode1DSlot(dm, 7)->moduleWidth = 6;
    Barcode1DSlot(dm, 7)->barHeight = 200;
    EXPECT_EQ(U8(dm, 596 + 7 * 36 + 1), 6);  // 849
    EXPECT_EQ(I32(dm, 596 + 7 * 36 + 4), 200);
    EXPECT_EQ(U8(dm, 884), 0);  // the first 2D slot starts right after
    Barcode1DSlot(dm, 0)->hriPosition = 2;
    EXPECT_EQ(U8(dm, 596 + 8), 2);

    ASSERT_NE(Barcode2DSlot(dm, 1), nullptr);
    Barcode2DSlot(dm, 1)->qrErrorCorrection = 3;
    EXPECT_EQ(U8(dm, 884 + 24 + 23), 3);  // 931, the last byte of the records
    EXPECT_EQ(U8(dm, 932), 0);

    for (int outside : {-1, 8, 100}) EXPECT_EQ(Barcode1DSlot(dm, outside), nullptr) << outside;
    for (int outside : {-1, 2}) EXPECT_EQ(Barcode2DSlot(dm, outside), nullptr) << outside;
}

}  // namespace
