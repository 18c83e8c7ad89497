// A raw print job as the plug-in sends it: a document name and the bytes of each WritePrinter call.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plugin {

using ByteString = std::vector<std::uint8_t>;

struct RawJob {
    std::u16string documentName;
    // One entry per WritePrinter call, in order. Data type is always "RAW", with no output file.
    std::vector<ByteString> writes;

    // Everything the printer receives, the writes back to back.
    ByteString Bytes() const {
        ByteString all;
        for (const ByteString& w : writes) all.insert(all.end(), w.begin(), w.end());
        return all;
    }
};

}  // namespace plugin
