// Pictures of the simulated desktop saved as PNG files on the host (Debian's libpng).
#pragma once
#include <filesystem>
#include <string>

#include "platform/pixel_image.h"

namespace sim {

// Writes the picture as an 8-bit RGB PNG, replacing the file. False with the reason.
bool WritePng(const std::filesystem::path& file, const plat::PixelImage& picture, std::string& error);

}  // namespace sim
