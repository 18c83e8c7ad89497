// Expected job bytes of the barcode page tests, written as the printer commands read.
#pragma once
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace pagetest {

using Bytes = std::vector<std::uint8_t>;

// "1D 66 00" -> {0x1D, 0x66, 0x00}.
inline Bytes Hex(std::string_view text) {
    Bytes out;
    std::istringstream in{std::string(text)};
    std::string byte;
    while (in >> byte) out.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
    return out;
}

inline Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Line feed, feed to the cutting position and cut: the end of every test print.
inline const Bytes kFeedAndCut = Hex("0A 1D 56 42 00");

}  // namespace pagetest
