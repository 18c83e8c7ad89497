// Writers of small bitmap files for the image conversion tests.
#include "tests/plugin/imaging/TestBitmaps.h"

namespace imagingtest {
namespace {

Bytes Headers(int width, int height, int bitCount, std::uint32_t offset, std::size_t imageSize) {
    Bytes out;
    common::AppendBitmapFileHeader(
        out, {common::kBitmapSignature, static_cast<std::uint32_t>(offset + imageSize), 0, 0, offset});
    common::BitmapInfoHeader info;
    info.biWidth = width;
    info.biHeight = height;
    info.biBitCount = static_cast<std::uint16_t>(bitCount);
    info.biSizeImage = static_cast<std::uint32_t>(imageSize);
    common::AppendBitmapInfoHeader(out, info);
    return out;
}

}  // namespace

Bytes Bitmap24(const std::vector<std::vector<Bgr>>& rows, std::uint8_t padByte) {
    const int width = static_cast<int>(rows.at(0).size());
    const std::size_t rowSize = (width * 3 + 3) / 4 * 4;
    Bytes out = Headers(width, static_cast<int>(rows.size()), 24, 54, rowSize * rows.size());
    for (const auto& row : rows) {
        for (const Bgr& p : row) out.insert(out.end(), {p.blue, p.green, p.red});
        out.insert(out.end(), rowSize - width * 3, padByte);
    }
    return out;
}

Bytes Bitmap8(const std::vector<std::vector<std::uint8_t>>& rows, std::uint8_t padByte) {
    const int width = static_cast<int>(rows.at(0).size());
    const std::size_t rowSize = (width + 3) / 4 * 4;
    Bytes out = Headers(width, static_cast<int>(rows.size()), 8, 1078, rowSize * rows.size());
    // A palette that is not gray, to show that the conversions use the samples themselves.
    for (int i = 0; i < 256; ++i)
        common::AppendRgbQuad(out, {static_cast<std::uint8_t>(255 - i), 0x10, static_cast<std::uint8_t>(i), 0});
    for (const auto& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.insert(out.end(), rowSize - width, padByte);
    }
    return out;
}

Bytes Bitmap1(const std::vector<std::vector<int>>& rows, common::RgbQuad entry0,
              common::RgbQuad entry1, std::uint8_t padByte) {
    const int width = static_cast<int>(rows.at(0).size());
    const std::size_t rowSize = (width + 31) / 32 * 4;
    Bytes out = Headers(width, static_cast<int>(rows.size()), 1, 62, rowSize * rows.size());
    common::AppendRgbQuad(out, entry0);
    common::AppendRgbQuad(out, entry1);
    for (const auto& row : rows) {
        Bytes packed(rowSize, 0);
        for (int x = 0; x < width; ++x)
            if (row[x]) packed[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        // Padding: the unused low bits of the last data byte and the bytes after it.
        if (width % 8 != 0) packed[width / 8] |= static_cast<std::uint8_t>(padByte & (0xFF >> (width % 8)));
        for (std::size_t i = (width + 7) / 8; i < rowSize; ++i) packed[i] = padByte;
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

Bytes Uniform24(int width, int height, Bgr colour) {
    return Bitmap24(std::vector<std::vector<Bgr>>(height, std::vector<Bgr>(width, colour)));
}

Bytes Uniform8(int width, int height, std::uint8_t level) {
    return Bitmap8(std::vector<std::vector<std::uint8_t>>(height, std::vector<std::uint8_t>(width, level)));
}

std::uint32_t Le32(const Bytes& file, std::size_t offset) { return *common::ReadLe32(file, offset); }
std::uint16_t Le16(const Bytes& file, std::size_t offset) { return *common::ReadLe16(file, offset); }

void PutLe32(Bytes& file, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutLe16(Bytes& file, std::size_t offset, std::uint16_t value) {
    file.at(offset) = static_cast<std::uint8_t>(value);
    file.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

int WorkFileBit(const Bytes& workFile, int width, int fileRow, int x) {
    const std::size_t rowSize = (width + 31) / 32 * 4;
    return (workFile.at(62 + fileRow * rowSize + x / 8) >> (7 - x % 8)) & 1;
}

std::vector<std::string> WorkFileBits(const Bytes& workFile, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += WorkFileBit(workFile, width, y, x) ? '1' : '0';
        rows.push_back(row);
    }
    return rows;
}

bool MemoryFiles::Read(const std::string& path, Bytes& out) {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return false;
    out = it->second;
    return true;
}

bool MemoryFiles::Write(const std::string& path, const Bytes& data) {
    if (unwritable.count(path)) return false;
    files[path] = data;
    ++writes;
    return true;
}

}  // namespace imagingtest
