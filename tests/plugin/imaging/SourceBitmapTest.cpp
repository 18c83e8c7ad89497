// Malformed and hostile bitmap files: every conversion refuses them with its failure code, writes
// no work file and reads nothing outside the file (the sanitizer build checks the last part).
#include <gtest/gtest.h>

#include <functional>

#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoImages.h"
#include "plugin/imaging/PackGrayPlanes.h"
#include "tests/plugin/imaging/TestBitmaps.h"

namespace {

using namespace imagingtest;

Bytes Changed(Bytes file, const std::function<void(Bytes&)>& change) {
    change(file);
    return file;
}

// A valid 4-bit file: 16 palette entries, pixel rows at 118.
Bytes FourBit() {
    Bytes f = Uniform8(8, 2, 0);
    PutLe16(f, 28, 4);
    PutLe32(f, 46, 16);
    PutLe32(f, 10, 118);
    f.resize(118 + 2 * 4);
    return f;
}

struct Malformed {
    const char* what;
    Bytes file;
    int grayResult;  // -2: not an acceptable bitmap, -1: cannot be read as far as it claims
};

std::vector<Malformed> MalformedEightBitFiles() {
    const Bytes good = Uniform8(6, 4, 120);  // rows of 8 bytes at 1078; 1110 bytes in all
    return {
        {"empty file", {}, -1},
        {"only part of the file header", Bytes(good.begin(), good.begin() + 10), -1},
        {"only part of the information header", Bytes(good.begin(), good.begin() + 40), -1},
        {"not BM", Changed(good, [](Bytes& f) { f[1] = 'A'; }), -2},
        {"core header size 12", Changed(good, [](Bytes& f) { PutLe32(f, 14, 12); }), -2},
        {"run-length compressed", Changed(good, [](Bytes& f) { PutLe32(f, 30, 1); }), -2},
        {"four bits per pixel", FourBit(), -2},
        {"sixteen bits per pixel", Changed(good, [](Bytes& f) { PutLe16(f, 28, 16); }), -2},
        {"top-down rows", Changed(good, [](Bytes& f) { PutLe32(f, 22, static_cast<std::uint32_t>(-4)); }), -2},
        {"zero width", Changed(good, [](Bytes& f) { PutLe32(f, 18, 0); }), -2},
        {"zero height", Changed(good, [](Bytes& f) { PutLe32(f, 22, 0); }), -2},
        {"negative width", Changed(good, [](Bytes& f) { PutLe32(f, 18, static_cast<std::uint32_t>(-6)); }), -2},
        {"absurd width", Changed(good, [](Bytes& f) { PutLe32(f, 18, 0x7FFFFFFF); }), -2},
        {"absurd height", Changed(good, [](Bytes& f) { PutLe32(f, 22, 0x7FFFFFFF); }), -2},
        {"width past the limit", Changed(good, [](Bytes& f) { PutLe32(f, 18, 40000); }), -2},
        {"more rows claimed than stored", Changed(good, [](Bytes& f) { PutLe32(f, 22, 100); }), -1},
        {"wider rows claimed than stored", Changed(good, [](Bytes& f) { PutLe32(f, 18, 20); }), -1},
        {"cut inside the pixel rows", Bytes(good.begin(), good.end() - 1), -1},
        {"cut inside the palette", Bytes(good.begin(), good.begin() + 600), -1},
        {"pixel offset inside the headers", Changed(good, [](Bytes& f) { PutLe32(f, 10, 30); }), -2},
        {"pixel offset inside the palette", Changed(good, [](Bytes& f) { PutLe32(f, 10, 1000); }), -2},
        {"pixel offset past the end", Changed(good, [](Bytes& f) { PutLe32(f, 10, 0xFFFFFFF0); }), -1},
        {"palette of 300 entries", Changed(good, [](Bytes& f) { PutLe32(f, 46, 300); }), -2},
        {"header size past the end", Changed(good, [](Bytes& f) { PutLe32(f, 14, 0xFFFFFF00); }), -2},
    };
}

TEST(MalformedSources, MonochromeAndGrayRefuseWithTheirCodesAndWriteNothing) {
    for (const Malformed& m : MalformedEightBitFiles()) {
        MemoryFiles files;
        files.files["C:\\x.bmp"] = m.file;
        std::string workPath = "kept";
        for (int method = 0; method <= 3; ++method)
            EXPECT_EQ(plugin::ConvertToMonochrome(files, "C:\\x.bmp", workPath, method, 0, 0), -1) << m.what;
        EXPECT_EQ(plugin::ConvertToGray(files, "C:\\x.bmp", workPath, 0, 0), m.grayResult) << m.what;
        EXPECT_EQ(plugin::ConvertToGray8(files, "C:\\x.bmp", workPath, 0, 0), m.grayResult) << m.what;
        EXPECT_EQ(files.writes, 0) << m.what;
        EXPECT_EQ(workPath, "kept") << m.what;

        Bytes raster;
        std::uint16_t x = 0, y = 0;
        EXPECT_FALSE(plugin::PackGrayPlanes(m.file, raster, x, y)) << m.what;
        EXPECT_TRUE(raster.empty()) << m.what;
    }
}

TEST(MalformedSources, TwentyFourBitFilesAreCheckedTheSameWay) {
    const Bytes good = Uniform24(5, 3, {1, 2, 3});  // rows of 16 bytes at 54
    const Malformed cases[] = {
        {"cut by one byte", Bytes(good.begin(), good.end() - 1), -1},
        {"more rows claimed", Changed(good, [](Bytes& f) { PutLe32(f, 22, 4); }), -1},
        {"bit-field compression", Changed(good, [](Bytes& f) { PutLe32(f, 30, 3); }), -2},
        {"thirty-two bits per pixel", Changed(good, [](Bytes& f) { PutLe16(f, 28, 32); }), -2},
    };
    for (const Malformed& m : cases) {
        Bytes work;
        for (int method = 0; method <= 3; ++method)
            EXPECT_EQ(plugin::RenderMonochrome(m.file, method, 0, 0, work), -1) << m.what;
        static constexpr unsigned k24[] = {24};
        EXPECT_EQ(plugin::RenderGray(m.file, k24, 0, 0, work), m.grayResult) << m.what;
        EXPECT_TRUE(work.empty()) << m.what;
    }
}

TEST(MalformedSources, OneBitFilesNeedBothPaletteEntries) {
    const Bytes good = Bitmap1({{1, 0, 1}, {0, 1, 0}}, kBlack, kWhite);
    const Malformed cases[] = {
        {"one palette entry", Changed(good, [](Bytes& f) { PutLe32(f, 46, 1); }), -2},
        {"three palette entries", Changed(good, [](Bytes& f) { PutLe32(f, 46, 3); }), -2},
        {"cut inside the rows", Bytes(good.begin(), good.end() - 2), -1},
        {"cut inside the palette", Bytes(good.begin(), good.begin() + 58), -1},
    };
    for (const Malformed& m : cases) {
        static constexpr unsigned k1[] = {1};
        Bytes out;
        EXPECT_EQ(plugin::RenderGray(m.file, k1, 0, 0, out), m.grayResult) << m.what;
        EXPECT_FALSE(plugin::EncodeMonochromeLogo(m.file, out)) << m.what;
        EXPECT_TRUE(out.empty()) << m.what;
    }
}

TEST(MalformedSources, LargerHeadersAndShorterPalettesAreReadFromThePixelOffset) {
    // A 108-byte header and a 4-entry palette: the rows start at 14 + 108 + 16 = 138.
    Bytes file = Bitmap8({{10, 20, 30, 40}});
    const Bytes rows(file.begin() + 1078, file.end());
    file.resize(54);
    PutLe32(file, 14, 108);
    PutLe32(file, 46, 4);
    file.insert(file.end(), 68 + 16, 0);
    file.insert(file.end(), rows.begin(), rows.end());
    PutLe32(file, 10, 138);
    static constexpr unsigned k8[] = {8};
    Bytes work;
    ASSERT_EQ(plugin::RenderGray(file, k8, 0, 0, work), 1);
    EXPECT_EQ((Bytes(work.begin() + 1078, work.begin() + 1082)), (Bytes{10, 20, 30, 40}));
}

}  // namespace
