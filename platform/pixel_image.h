// A 24-bit picture held in memory, laid out as a device-independent bitmap so that GDI can draw
// it as it stands and BMP files map onto it byte for byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

// Rows bottom-up (the first row in `bits` is the picture's bottom row), each pixel blue, green,
// red, each row padded with zeros to a multiple of 4 bytes: what a BITMAPINFOHEADER with a
// positive height and 24 bits per pixel describes.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;

    static std::size_t StrideOf(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }
    std::size_t Stride() const { return StrideOf(width); }
    // A white picture of the size (white as a fresh GDI bitmap flood-filled with white).
    static PixelImage White(int width, int height) {
        PixelImage image{width, height, {}};
        image.bits.assign(image.Stride() * static_cast<std::size_t>(height > 0 ? height : 0), 0xFF);
        for (int y = 0; y < height; ++y)
            for (std::size_t x = static_cast<std::size_t>(width) * 3; x < image.Stride(); ++x)
                image.bits[static_cast<std::size_t>(y) * image.Stride() + x] = 0;
        return image;
    }
    // The pixel at (x, y) counted from the top-left corner: its blue byte, then green and red.
    std::uint8_t* At(int x, int y) {
        return bits.data() + static_cast<std::size_t>(height - 1 - y) * Stride() + static_cast<std::size_t>(x) * 3;
    }
    const std::uint8_t* At(int x, int y) const {
        return bits.data() + static_cast<std::size_t>(height - 1 - y) * Stride() + static_cast<std::size_t>(x) * 3;
    }
};

}  // namespace plat
