// A bitmap file loaded for showing on screen, as LoadImageW(LR_LOADFROMFILE | LR_CREATEDIBSECTION)
// gives it: every uncompressed depth a preview meets, turned into one 24-bit picture.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/files.h"
#include "platform/pixel_image.h"

namespace plugin {

// The picture of an uncompressed (BI_RGB) bitmap of 1, 4, 8, 24 or 32 bits per pixel, stored
// bottom-up or top-down, with palette colours applied (an index past the palette is black).
// Nothing for other formats, a zero or absurd size, or a file that ends before its headers,
// palette or pixel rows do; nothing is read outside `file`.
std::optional<plat::PixelImage> DecodeBitmapImage(std::span<const std::uint8_t> file);

// The same for a file on the machine; nothing when it cannot be read.
std::optional<plat::PixelImage> LoadBitmapImage(plat::FileSystem& files, const std::string& path);

}  // namespace plugin
