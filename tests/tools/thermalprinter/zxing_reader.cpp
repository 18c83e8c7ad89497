#define ZX_USE_UTF8 1
#include "tests/tools/thermalprinter/zxing_reader.h"

#include <ZXing/ReadBarcode.h>

namespace thermaltest {

std::vector<ReadCode> ReadCodes(int width, int height, const std::vector<std::uint8_t>& gray) {
    std::vector<ReadCode> found;
    if (width <= 0 || height <= 0 || gray.size() < static_cast<std::size_t>(width) * height) return found;
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    hints.setReturnCodabarStartEnd(true);  // the printer prints them: they are data to compare
    const ZXing::ImageView image(gray.data(), width, height, ZXing::ImageFormat::Lum);
    for (const ZXing::Result& r : ZXing::ReadBarcodes(image, hints))
        if (r.isValid()) found.push_back(ReadCode{ZXing::ToString(r.format()), r.text()});
    return found;
}

}  // namespace thermaltest
