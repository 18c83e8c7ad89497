// The printed paper as a picture: the paper between its unprinted edges on a gray table, the
// events in a column to the left at the rows where they happened (cuts also drawn across the
// paper), and the notes' lines marked in orange.
#pragma once
#include <filesystem>
#include <string>

#include "platform/pixel_image.h"
#include "tools/thermalprinter/paper.h"
#include "tools/thermalprinter/printer_model.h"

namespace thermal {

inline constexpr int kEventColumnWidth = 260;

plat::PixelImage PaperPicture(const Paper& paper, const PrinterModel& model);
// The picture written as PNG. False with the reason.
bool WritePaperPng(const Paper& paper, const PrinterModel& model, const std::filesystem::path& file,
                   std::string& error);

}  // namespace thermal
