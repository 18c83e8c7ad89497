// The watermark page's conversion to a 24-bit file, run on a simulated machine's file system.
#include <gtest/gtest.h>

#include "platform/win_constants.h"
#include "plugin/imaging/ConvertBitmapTo24Bit.h"
#include "tests/plugin/imaging/TestBitmaps.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace imagingtest;

class WatermarkBitmap : public ::testing::Test {
protected:
    void SetUp() override { process_ = machine_.Process(); }
    plat::FileSystem& fs() { return process_->files(); }

    void Put(const std::string& path, const Bytes& bytes) { ASSERT_TRUE(fs().WriteWholeFile(path.c_str(), bytes)); }
    Bytes Get(const std::string& path) {
        Bytes out;
        EXPECT_TRUE(fs().ReadWholeFile(path.c_str(), out)) << path;
        return out;
    }
    bool Exists(const std::string& path) { return fs().GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    static constexpr const char* kSource = "C:\\scratch\\mark.bmp";
    static constexpr const char* kOutput = "C:\\scratch\\Printer1.bmp";

    testsupport::TempMachine machine_;
    std::unique_ptr<sim::SimPlatform> process_;
};

TEST_F(WatermarkBitmap, OneBitRowsExpandThroughThePaletteWithPadding) {
    // Width 10: 30 pixel bytes and 2 of padding per row; file size 8 x 2 x 4 + 54 = 118.
    const common::RgbQuad entry0{0x01, 0x02, 0x03, 0}, entry1{0x0A, 0x0B, 0x0C, 0};
    Put(kSource, Bitmap1({{1, 0, 0, 0, 0, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 0, 0, 0, 0}}, entry0, entry1, 0xFF));
    ASSERT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, kOutput), plugin::kWatermarkConverted);
    const Bytes out = Get(kOutput);
    ASSERT_EQ(out.size(), 118u);
    EXPECT_EQ(Le16(out, 0), 0x4D42);
    EXPECT_EQ(Le32(out, 2), 118u);
    EXPECT_EQ(Le32(out, 10), 54u);
    EXPECT_EQ(Le32(out, 18), 10u);
    EXPECT_EQ(Le32(out, 22), 2u);
    EXPECT_EQ(Le16(out, 28), 24);
    EXPECT_EQ(Le32(out, 34), 0u);  // image size
    EXPECT_EQ(Le32(out, 46), 0u);  // colours used: the 24-bit file has no palette
    Bytes row0;
    for (int x = 0; x < 10; ++x) {
        const bool set = x == 0 || x == 9;
        const Bytes pixel = set ? Bytes{0x0A, 0x0B, 0x0C} : Bytes{0x01, 0x02, 0x03};
        row0.insert(row0.end(), pixel.begin(), pixel.end());
    }
    row0.insert(row0.end(), {0, 0});
    EXPECT_EQ(Bytes(out.begin() + 54, out.begin() + 86), row0);
    EXPECT_EQ((Bytes(out.begin() + 86, out.begin() + 92)), (Bytes{1, 2, 3, 0x0A, 0x0B, 0x0C}));
}

TEST_F(WatermarkBitmap, EightBitSamplesMapThroughAllTwoHundredFiftySixEntries) {
    // The test palette maps sample i to blue 255 - i, green 0x10, red i. Width 3: the source
    // rows carry one byte of padding, the output rows 9 bytes and 3 of padding.
    Put(kSource, Bitmap8({{0, 200, 255}}, 0x77));
    ASSERT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, kOutput), plugin::kWatermarkConverted);
    const Bytes out = Get(kOutput);
    ASSERT_EQ(out.size(), 54u + 12u);
    EXPECT_EQ(Le32(out, 2), 66u);
    EXPECT_EQ(Le16(out, 28), 24);
    EXPECT_EQ(Le32(out, 34), 0u);
    EXPECT_EQ(Bytes(out.begin() + 54, out.end()), (Bytes{255, 0x10, 0, 55, 0x10, 200, 0, 0x10, 255, 0, 0, 0}));
}

TEST_F(WatermarkBitmap, TwentyFourBitFileIsCopiedUnchangedWithTheArchiveAttribute) {
    const Bytes source = Uniform24(3, 2, {9, 8, 7});
    Put(kSource, source);
    ASSERT_TRUE(fs().SetFileAttributesA(kSource, FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, kOutput), plugin::kWatermarkConverted);
    EXPECT_EQ(Get(kOutput), source);
    EXPECT_EQ(fs().GetFileAttributesA(kOutput), static_cast<std::uint32_t>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(WatermarkBitmap, RefusedSourcesGiveZeroAndLeaveTheEarlierOutput) {
    Bytes fourBit = Uniform8(8, 1, 0);
    PutLe16(fourBit, 28, 4);
    PutLe32(fourBit, 10, 118);
    fourBit.resize(118 + 4);
    struct Case {
        const char* what;
        Bytes file;
    };
    Bytes oneBitShort = Bitmap1({{1, 0}, {0, 1}}, kBlack, kWhite);
    oneBitShort.pop_back();
    Bytes eightBitAt62 = Bitmap1({{1, 0}}, kBlack, kWhite);
    PutLe16(eightBitAt62, 28, 8);
    Bytes sixteenBitAt54 = Uniform24(2, 2, {1, 1, 1});
    PutLe16(sixteenBitAt54, 28, 16);
    Bytes topDown = Uniform24(2, 2, {1, 1, 1});
    PutLe32(topDown, 22, static_cast<std::uint32_t>(-2));
    Bytes notBm = Uniform24(2, 2, {1, 1, 1});
    notBm[0] = 'P';
    const Case cases[] = {
        {"4-bit (offset 118)", fourBit},
        {"1-bit file cut short", oneBitShort},
        {"offset 62 with 8 bits", eightBitAt62},
        {"offset 54 with 16 bits", sixteenBitAt54},
        {"top-down 24-bit", topDown},
        {"not BM", notBm},
        {"ten bytes", Bytes(10, 'B')},
    };
    Put(kOutput, {1, 2, 3});
    for (const Case& c : cases) {
        Put(kSource, c.file);
        EXPECT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, kOutput), plugin::kWatermarkNotConverted) << c.what;
        EXPECT_EQ(Get(kOutput), (Bytes{1, 2, 3})) << c.what;
    }
}

TEST_F(WatermarkBitmap, MissingSourceGivesZero) {
    EXPECT_EQ(plugin::ConvertBitmapTo24Bit(fs(), "C:\\scratch\\none.bmp", kOutput), plugin::kWatermarkNotConverted);
    EXPECT_FALSE(Exists(kOutput));
}

TEST_F(WatermarkBitmap, OutputThatCannotBeCreatedGivesTwo) {
    Put(kSource, Bitmap8({{1, 2}}));
    EXPECT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, "C:\\no such dir\\Printer1.bmp"),
              plugin::kWatermarkOutputFailed);
    Put(kOutput, {0});
    ASSERT_TRUE(fs().SetFileAttributesA(kOutput, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(plugin::ConvertBitmapTo24Bit(fs(), kSource, kOutput), plugin::kWatermarkOutputFailed);
}

}  // namespace
