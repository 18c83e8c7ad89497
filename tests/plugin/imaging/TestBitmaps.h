// Hand-made bitmap files and an in-memory file store for the image conversion tests.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/bmp.h"
#include "plugin/imaging/ImageFiles.h"

namespace imagingtest {

using Bytes = std::vector<std::uint8_t>;

struct Bgr {
    std::uint8_t blue, green, red;
};

// Rows are given in file order (row 0 is the first stored row, the bottom of the picture), as
// the conversions count them. Each writer pads rows to four bytes with `padByte`.
Bytes Bitmap24(const std::vector<std::vector<Bgr>>& rows, std::uint8_t padByte = 0);
Bytes Bitmap8(const std::vector<std::vector<std::uint8_t>>& rows, std::uint8_t padByte = 0);
// Pixels of a 1-bit file as 0/1 palette indices; palette entries 0 and 1.
Bytes Bitmap1(const std::vector<std::vector<int>>& rows, common::RgbQuad entry0,
              common::RgbQuad entry1, std::uint8_t padByte = 0);
inline constexpr common::RgbQuad kBlack{0, 0, 0, 0};
inline constexpr common::RgbQuad kWhite{0xFF, 0xFF, 0xFF, 0};

// A width x height 24-bit or 8-bit picture of one level.
Bytes Uniform24(int width, int height, Bgr colour);
Bytes Uniform8(int width, int height, std::uint8_t level);

// Little-endian field access to a file under test.
std::uint32_t Le32(const Bytes& file, std::size_t offset);
std::uint16_t Le16(const Bytes& file, std::size_t offset);
void PutLe32(Bytes& file, std::size_t offset, std::uint32_t value);
void PutLe16(Bytes& file, std::size_t offset, std::uint16_t value);

// Bit `x` (0 = leftmost, bit 7 of the first byte) of stored row `fileRow` of a one-bit work file.
int WorkFileBit(const Bytes& workFile, int width, int fileRow, int x);
// The bits of a one-bit work file, rows in file order, as "0"/"1" strings of `width` characters.
std::vector<std::string> WorkFileBits(const Bytes& workFile, int width, int height);

// Files by exact path, with switches that make reads or writes fail.
class MemoryFiles : public plugin::ImageFiles {
public:
    std::map<std::string, Bytes> files;
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    int writes = 0;

    bool Read(const std::string& path, Bytes& out) override;
    bool Write(const std::string& path, const Bytes& data) override;
    bool Has(const std::string& path) const { return files.count(path) != 0; }
};

}  // namespace imagingtest
