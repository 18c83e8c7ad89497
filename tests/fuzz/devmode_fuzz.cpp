// Fuzz target: the plug-in's private device-mode block through IPrintOemUI::DevMode's convert
// and merge. Whatever block comes in, the result is a whole block of this plug-in (its size,
// signature and version), a block of our signature keeps its leading bytes, converting the
// result again changes nothing, and a merge leaves the offset-12 value at most 100.
#include <cstring>

#include "plugin/devmode/DevModeCall.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

class FuzzLastError : public plat::LastError {
public:
    std::uint32_t GetLastError() override { return code; }
    void SetLastError(std::uint32_t c) override { code = c; }
    std::uint32_t code = 0;
};

using Block = std::array<std::uint8_t, plugin::kOemDevmodeSize>;

std::uint32_t At(const Block& b, std::size_t offset) {
    return static_cast<std::uint32_t>(b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16) |
           static_cast<std::uint32_t>(b[offset + 3]) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool merge = data[0] & 1;
    const bool outIsOurs = data[0] & 2;  // the output buffer already holds one of our blocks
    // The incoming block fills a whole buffer; a shorter input is zero-padded, since the
    // interface passes no size for the incoming buffer.
    Block in{};
    std::memcpy(in.data(), data + 1, std::min(size - 1, in.size()));
    Block out{};
    FuzzLastError lastError;
    plugin::com::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.cbBufSize = plugin::kOemDevmodeSize;
    if (outIsOurs) {
        param.pOEMDMOut = out.data();
        FUZZ_CHECK(plugin::DevMode(lastError, OEMDM_DEFAULT, &param) == S_OK, "defaults");
    }
    param.pOEMDMIn = in.data();
    param.pOEMDMOut = out.data();
    FUZZ_CHECK(plugin::DevMode(lastError, merge ? OEMDM_MERGE : OEMDM_CONVERT, &param) == S_OK, "convert or merge");

    FUZZ_CHECK(At(out, 0) == plugin::kOemDevmodeSize, "the size field");
    FUZZ_CHECK(At(out, 8) == plugin::kPluginVersion, "the version");
    if (outIsOurs) {
        FUZZ_CHECK(At(out, 4) == plugin::kPluginSignature, "the signature");
        if (At(in, 4) == plugin::kPluginSignature && !merge) {
            const std::size_t kept = std::min<std::size_t>(At(in, 0), plugin::kOemDevmodeSize);
            FUZZ_CHECK(kept < 12 || std::memcmp(out.data() + 12, in.data() + 12, kept - 12) == 0,
                       "the leading bytes of our own block were not kept");
        }
    }
    if (merge) FUZZ_CHECK(static_cast<std::int32_t>(At(out, 12)) <= 100, "a merge left the offset-12 value above 100");

    // Converting a converted block again gives the same block.
    Block again = out;
    param.pOEMDMIn = out.data();
    param.pOEMDMOut = again.data();
    FUZZ_CHECK(plugin::DevMode(lastError, OEMDM_CONVERT, &param) == S_OK, "second convert");
    FUZZ_CHECK(again == out, "converting twice changed the block");
    return 0;
}
