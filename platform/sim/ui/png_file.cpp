// PNG files written with libpng.
#include "platform/sim/ui/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace sim {

namespace {

// The libpng calls, apart from every C++ object: libpng reports errors with longjmp.
bool WriteRows(std::FILE* out, png_uint_32 width, png_uint_32 height, png_bytepp rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::filesystem::path& file, const plat::PixelImage& picture, std::string& error) {
    if (picture.width <= 0 || picture.height <= 0) {
        error = "the picture is empty";
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), std::fclose);
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    // The rows in PNG order (top first), red, green, blue.
    std::vector<std::vector<png_byte>> rows(static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        std::vector<png_byte>& row = rows[static_cast<std::size_t>(y)];
        row.reserve(static_cast<std::size_t>(picture.width) * 3);
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.At(x, y);
            row.insert(row.end(), {p[2], p[1], p[0]});
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) pointers.push_back(row.data());
    if (!WriteRows(out.get(), static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
                   pointers.data()) ||
        std::fflush(out.get()) != 0) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace sim
