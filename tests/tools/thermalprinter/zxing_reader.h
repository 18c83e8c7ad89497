// The barcodes and codes an independent reader (Debian's zxing-cpp) finds in a gray picture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace thermaltest {

struct ReadCode {
    std::string format;  // the reader's name: "UPC-A", "EAN-13", "Code128", "QRCode", ...
    std::string text;    // the data, UTF-8
};

// Every code found in a `width` x `height` picture, one byte a pixel (0 black, 255 white).
std::vector<ReadCode> ReadCodes(int width, int height, const std::vector<std::uint8_t>& gray);

}  // namespace thermaltest
