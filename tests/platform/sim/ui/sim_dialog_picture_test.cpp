// What a paint leaves on the simulated desktop, saved by the script's save-picture action as a
// PNG file and read back with libpng.
#include <png.h>

#include <cstdio>

#include "tests/platform/sim/ui/dialog_fixture.h"

namespace {

using dialogtest::DialogTest;
using dialogtest::TestLogic;

struct Png {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top, red, green, blue
    std::uint32_t At(int x, int y) const {  // 0xRRGGBB
        const std::uint8_t* p = &rgb[static_cast<std::size_t>((y * width + x) * 3)];
        return static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2];
    }
};

Png ReadPng(const std::filesystem::path& file) {
    Png out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return out;
    image.format = PNG_FORMAT_RGB;
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) {
        out.width = static_cast<int>(image.width);
        out.height = static_cast<int>(image.height);
    }
    return out;
}

constexpr std::uint32_t kButtonFace = 0xD4D0C8;  // 212, 208, 200

class PictureTest : public DialogTest {
protected:
    // The frame painting a red block, a white (HBRUSH)15 block and a stretched 2 x 2 picture
    // into its placeholder's area, and a word centred below them.
    void RunPainting(const std::string& script) {
        auto p = Process(script);
        TestLogic logic;
        logic.paint = [&](plat::DialogWindow& w, plat::Canvas& c) {
            const plat::Rect r = w.ItemRect(IDC_PLACEHOLDER);
            area = r;
            c.FillRect({r.left, r.top, r.left + 10, r.top + 10}, 0x0000FF);  // RGB(255, 0, 0)
            c.FillRectWithBrushValue({r.left + 10, r.top, r.left + 20, r.top + 10}, 15);
            plat::PixelImage image = plat::PixelImage::White(2, 2);
            image.At(1, 1)[0] = image.At(1, 1)[1] = image.At(1, 1)[2] = 0;  // black lower-right
            c.StretchImage(image, {0, 0, 2, 2}, {r.left, r.top + 10, r.left + 4, r.top + 14},
                           plat::StretchMode::ColorOnColor);
            plat::FontSpec font;
            font.face = "Arial";
            font.height = -24;
            c.DrawCentredText({r.left, r.top + 40, r.right, r.top + 80}, "DRAFT", font, 0);
            return true;
        };
        p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    }
    plat::Rect area;
};

TEST_F(PictureTest, SavePictureWritesTheControlsAreaAsTheLastPaintLeftIt) {
    const std::filesystem::path file = m.machine().dir() / "placeholder.png";
    RunPainting("save-picture IDC_PLACEHOLDER " + file.string() + "\nclose\n");
    const Png png = ReadPng(file);
    ASSERT_EQ(png.width, area.right - area.left);
    ASSERT_EQ(png.height, area.bottom - area.top);
    EXPECT_EQ(png.At(0, 0), 0xFF0000u);
    EXPECT_EQ(png.At(9, 9), 0xFF0000u);
    EXPECT_EQ(png.At(10, 0), 0xFFFFFFu);   // COLOR_HIGHLIGHTTEXT
    EXPECT_EQ(png.At(20, 0), kButtonFace);  // untouched: the erased background
    // The 2 x 2 picture doubled: white but for its black lower-right quarter.
    EXPECT_EQ(png.At(1, 11), 0xFFFFFFu);
    EXPECT_EQ(png.At(2, 12), 0u);
    EXPECT_EQ(png.At(3, 13), 0u);
    EXPECT_EQ(png.At(1, 13), 0xFFFFFFu);
    // The word drew dark pixels in its box, none above it.
    int dark = 0, above = 0;
    for (int y = 14; y < png.height; ++y)
        for (int x = 0; x < png.width; ++x)
            if (png.At(x, y) < 0x404040) (y < 40 ? above : dark)++;
    EXPECT_GT(dark, 50);
    EXPECT_EQ(above, 0);
    EXPECT_TRUE(TranscriptHas("program: saves the picture of IDC_PLACEHOLDER (" + std::to_string(png.width) + "x" +
                              std::to_string(png.height) + ") as " + file.string()));
}

// Each death test's process starts the machine's script anew, so one death test per machine.
TEST_F(PictureTest, SavePictureBeforeAnyPaintIsAScriptError) {
    auto unpainted = [&] {
        auto p = Process("save-picture IDC_PLACEHOLDER " + (m.machine().dir() / "x.png").string() + "\n");
        TestLogic logic;
        p->dialogs().RunModal(IDD_TEST_FRAME, logic);
    };
    EXPECT_EXIT(unpainted(), ::testing::ExitedWithCode(3), "script error: .*has not painted anything");
}

TEST_F(PictureTest, SavePictureNeedsAFileItCanWrite) {
    // The script is refused before it runs; the next one starts at its beginning.
    auto noFile = [&] { RunPainting("save-picture IDC_PLACEHOLDER\n"); };
    EXPECT_EXIT(noFile(), ::testing::ExitedWithCode(3), "save-picture needs a control and the PNG file");
    auto badPath = [&] { RunPainting("save-picture IDC_PLACEHOLDER /nonexistent-dir/x.png\n"); };
    EXPECT_EXIT(badPath(), ::testing::ExitedWithCode(3), "script error: .*cannot write /nonexistent-dir/x.png");
}

}  // namespace
