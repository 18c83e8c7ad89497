// DevMode's four modes: size, defaults, conversion of own, older and foreign blocks, and merge;
// buffers shorter than the blocks' size fields claim.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win_constants.h"
#include "plugin/devmode/DevModeCall.h"
#include "tests/plugin/devmode/ByteReading.h"

namespace {

using namespace plugin;
using testbytes::I32;
using testbytes::U8;

class RecordingLastError : public plat::LastError {
public:
    std::uint32_t GetLastError() override { return code; }
    void SetLastError(std::uint32_t value) override { code = value; }
    std::uint32_t code = 0;
};

// A block of the plug-in's own signature whose every field differs from the defaults.
OemDevmode CustomBlock() {
    OemDevmode dm;
    std::memset(&dm, 0x5A, sizeof dm);
    StampOemDevmodeHeader(dm);
    return dm;
}

OemDevmode Filled(std::uint8_t byte) {
    OemDevmode dm;
    std::memset(&dm, byte, sizeof dm);
    return dm;
}

bool SameBytes(const OemDevmode& a, const OemDevmode& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct DevModeCallTest : testing::Test {
    com::HRESULT Call(com::DWORD mode, void* in, void* out) {
        com::OEMDMPARAM param{};
        param.cbSize = sizeof param;
        param.pOEMDMIn = in;
        param.pOEMDMOut = out;
        param.cbBufSize = kOemDevmodeSize;  // what the driver allocates after the size query
        return DevMode(lastError, mode, &param);
    }
    RecordingLastError lastError;
};

TEST_F(DevModeCallTest, SizeIs1464) {
    com::OEMDMPARAM param{};
    ASSERT_EQ(DevMode(lastError, OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(param.cbBufSize, 1464u);
}

TEST_F(DevModeCallTest, DefaultWritesTheWholeDefaultBlockOverAnyContent) {
    OemDevmode out = Filled(0xCC);
    ASSERT_EQ(Call(OEMDM_DEFAULT, nullptr, &out), S_OK);
    EXPECT_TRUE(SameBytes(out, DefaultOemDevmode()));
}

TEST_F(DevModeCallTest, ConvertKeepsAFullBlockOfTheSameSignature) {
    const OemDevmode in = CustomBlock();
    OemDevmode out = DefaultOemDevmode();
    ASSERT_EQ(Call(OEMDM_CONVERT, const_cast<OemDevmode*>(&in), &out), S_OK);
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevModeCallTest, ConvertMakesAForeignBlockTheDefaultBlock) {
    OemDevmode in = CustomBlock();
    in.dwSignature = 0x12345678;
    OemDevmode out = Filled(0x77);  // garbage, signature 0x77777777
    ASSERT_EQ(Call(OEMDM_CONVERT, &in, &out), S_OK);
    EXPECT_TRUE(SameBytes(out, DefaultOemDevmode()));
}

TEST_F(DevModeCallTest, ConvertKeepsAShorterBlocksBytesAndGivesTheRestDefaults) {
    OemDevmode in = CustomBlock();
    in.dwSize = 1000;
    in.dwVersion = 0;  // an older version number is replaced
    OemDevmode out = DefaultOemDevmode();
    ASSERT_EQ(Call(OEMDM_CONVERT, &in, &out), S_OK);
    const OemDevmode defaults = DefaultOemDevmode();
    EXPECT_EQ(I32(out, 0), 1464);
    EXPECT_EQ(I32(out, 8), 1);
    for (std::size_t offset = 12; offset < 1000; ++offset)
        ASSERT_EQ(U8(out, offset), 0x5A) << "offset " << offset;
    for (std::size_t offset = 1000; offset < 1464; ++offset)
        ASSERT_EQ(U8(out, offset), U8(defaults, offset)) << "offset " << offset;
}

TEST_F(DevModeCallTest, ConvertCopiesNoMoreThanTheOutgoingBlockClaims) {
    const OemDevmode in = CustomBlock();
    OemDevmode out = DefaultOemDevmode();
    out.dwSize = 600;
    ASSERT_EQ(Call(OEMDM_CONVERT, const_cast<OemDevmode*>(&in), &out), S_OK);
    EXPECT_EQ(U8(out, 599), 0x5A);
    EXPECT_EQ(I32(out, 600), 163);  // slot 1's bar height from byte 600 on: the default
    EXPECT_EQ(U8(out, 596 + 36), 1);  // slot 2's default symbology
    EXPECT_EQ(I32(out, 0), 1464);
}

TEST_F(DevModeCallTest, ConvertNeverCopiesBeyond1464BytesWhatEverTheSizesClaim) {
    // Buffers exactly 1464 bytes long on the heap, so a copy past them is caught by the
    // address sanitizer.
    std::vector<std::uint8_t> in(sizeof(OemDevmode)), out(sizeof(OemDevmode));
    OemDevmode custom = CustomBlock();
    custom.dwSize = 0xFFFFFFFF;
    std::memcpy(in.data(), &custom, sizeof custom);
    OemDevmode defaults = DefaultOemDevmode();
    defaults.dwSize = 100000;
    std::memcpy(out.data(), &defaults, sizeof defaults);
    ASSERT_EQ(Call(OEMDM_CONVERT, in.data(), out.data()), S_OK);
    OemDevmode result;
    std::memcpy(&result, out.data(), sizeof result);
    EXPECT_EQ(I32(result, 0), 1464);
    EXPECT_EQ(U8(result, 1463), 0x5A);
}

TEST_F(DevModeCallTest, ConvertInPlaceKeepsTheBlock) {
    OemDevmode block = CustomBlock();
    const OemDevmode before = block;
    ASSERT_EQ(Call(OEMDM_CONVERT, &block, &block), S_OK);
    EXPECT_TRUE(SameBytes(block, before));
}

TEST_F(DevModeCallTest, ConvertWithAMissingBlockDoesNothing) {
    OemDevmode out = Filled(0x33);
    ASSERT_EQ(Call(OEMDM_CONVERT, nullptr, &out), S_OK);
    EXPECT_TRUE(SameBytes(out, Filled(0x33)));
    const OemDevmode in = CustomBlock();
    EXPECT_EQ(Call(OEMDM_CONVERT, const_cast<OemDevmode*>(&in), nullptr), S_OK);
}

TEST_F(DevModeCallTest, MergeResetsTheOffset12ValueOnlyAbove100) {
    struct Case {
        std::int32_t stored, merged;
    };
    for (const Case& c : {Case{101, 0}, {100, 100}, {0x7FFFFFFF, 0}, {-5, -5}, {7, 7}}) {
        OemDevmode in = CustomBlock();
        in.reservedValue = c.stored;
        OemDevmode out = DefaultOemDevmode();
        ASSERT_EQ(Call(OEMDM_MERGE, &in, &out), S_OK);
        EXPECT_EQ(I32(out, 12), c.merged) << "stored " << c.stored;
        EXPECT_EQ(I32(out, 0), 1464);
        EXPECT_EQ(U8(out, 1463), 0x5A);
    }
}

TEST_F(DevModeCallTest, MergeOfAForeignBlockGivesDefaults) {
    OemDevmode in = Filled(0x99);
    OemDevmode out = DefaultOemDevmode();
    ASSERT_EQ(Call(OEMDM_MERGE, &in, &out), S_OK);
    EXPECT_TRUE(SameBytes(out, DefaultOemDevmode()));
}

// A public device mode of `dmSize` bytes followed by `extra` driver bytes, in a heap buffer of
// exactly that size, so reading past it is caught by the address sanitizer.
std::vector<std::uint8_t> PublicDevmode(std::uint16_t dmSize, std::uint16_t extra) {
    std::vector<std::uint8_t> dm(std::size_t{dmSize} + extra, 0);
    dm[68] = static_cast<std::uint8_t>(dmSize);
    dm[69] = static_cast<std::uint8_t>(dmSize >> 8);
    dm[70] = static_cast<std::uint8_t>(extra);
    dm[71] = static_cast<std::uint8_t>(extra >> 8);
    return dm;
}

TEST(BytesAfterInDevmode, CountsToTheEndOfTheDriverPartOnly) {
    std::vector<std::uint8_t> dm = PublicDevmode(220, 100);
    const std::uint8_t* base = dm.data();
    EXPECT_EQ(BytesAfterInDevmode(base, base + 220), 100u);  // first byte of the driver part
    EXPECT_EQ(BytesAfterInDevmode(base, base + 319), 1u);    // its last byte
    EXPECT_EQ(BytesAfterInDevmode(base, base + 320), kUnknownBufferSize);  // past its end
    EXPECT_EQ(BytesAfterInDevmode(base, base + 219), kUnknownBufferSize);  // a public field
    EXPECT_EQ(BytesAfterInDevmode(nullptr, base + 220), kUnknownBufferSize);
}

TEST_F(DevModeCallTest, ConvertReadsTheIncomingBlockNoFurtherThanItsDevmodeHolds) {
    // The universal driver's private part (16 bytes here) comes first, then the plug-in's block,
    // which claims 1464 bytes while the device mode holds only `held` of them.
    struct Case {
        std::uint16_t held;
        std::size_t kept;
    } const cases[] = {{700, 700}, {1463, 1463}, {1464, 1464}, {2000, 1464}};
    constexpr std::uint16_t kDmSize = 220, kDriverPart = 16;
    const OemDevmode custom = CustomBlock();
    const OemDevmode defaults = DefaultOemDevmode();
    for (const Case& c : cases) {
        std::vector<std::uint8_t> dm = PublicDevmode(kDmSize, kDriverPart + c.held);
        std::uint8_t* block = dm.data() + kDmSize + kDriverPart;
        std::memcpy(block, &custom, std::min<std::size_t>(c.held, sizeof custom));
        OemDevmode out = DefaultOemDevmode();
        com::OEMDMPARAM param{};
        param.cbSize = sizeof param;
        param.pPublicDMIn = reinterpret_cast<com::DEVMODEW*>(dm.data());
        param.pOEMDMIn = block;
        param.pOEMDMOut = &out;
        param.cbBufSize = kOemDevmodeSize;
        ASSERT_EQ(DevMode(lastError, OEMDM_CONVERT, &param), S_OK) << c.held;
        EXPECT_EQ(I32(out, 0), 1464) << c.held;
        EXPECT_EQ(I32(out, 8), 1) << c.held;
        for (std::size_t offset = 12; offset < kOemDevmodeSize; ++offset)
            ASSERT_EQ(U8(out, offset), offset < c.kept ? 0x5A : U8(defaults, offset))
                << "held " << c.held << ", offset " << offset;
    }
}

TEST_F(DevModeCallTest, ABlockTooShortForItsSignatureBecomesTheDefaultBlock) {
    std::vector<std::uint8_t> dm = PublicDevmode(220, 7);
    const OemDevmode custom = CustomBlock();
    std::memcpy(dm.data() + 220, &custom, 7);
    OemDevmode out = CustomBlock();  // same signature as the cut block would have
    com::OEMDMPARAM param{};
    param.pPublicDMIn = reinterpret_cast<com::DEVMODEW*>(dm.data());
    param.pOEMDMIn = dm.data() + 220;
    param.pOEMDMOut = &out;
    param.cbBufSize = kOemDevmodeSize;
    ASSERT_EQ(DevMode(lastError, OEMDM_MERGE, &param), S_OK);
    EXPECT_TRUE(SameBytes(out, DefaultOemDevmode()));
}

TEST_F(DevModeCallTest, ABlockOutsideThePublicDevmodeKeepsTheSizeFieldsRule) {
    std::vector<std::uint8_t> dm = PublicDevmode(220, 16);
    const OemDevmode in = CustomBlock();
    OemDevmode out = DefaultOemDevmode();
    com::OEMDMPARAM param{};
    param.pPublicDMIn = reinterpret_cast<com::DEVMODEW*>(dm.data());
    param.pOEMDMIn = const_cast<OemDevmode*>(&in);
    param.pOEMDMOut = &out;
    param.cbBufSize = kOemDevmodeSize;
    ASSERT_EQ(DevMode(lastError, OEMDM_CONVERT, &param), S_OK);
    EXPECT_TRUE(SameBytes(out, in));
}

TEST_F(DevModeCallTest, AnOutgoingBufferShorterThanTheBlockIsLeftAlone) {
    const OemDevmode in = CustomBlock();
    for (com::DWORD mode : {OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE}) {
        // On the heap and exactly as long as the driver says, so a write past it is caught.
        std::vector<std::uint8_t> out(kOemDevmodeSize - 1, 0xC3);
        com::OEMDMPARAM param{};
        param.pOEMDMIn = const_cast<OemDevmode*>(&in);
        param.pOEMDMOut = out.data();
        param.cbBufSize = kOemDevmodeSize - 1;
        lastError.code = 0;
        EXPECT_EQ(DevMode(lastError, mode, &param), E_FAIL) << mode;
        EXPECT_EQ(lastError.code, static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER)) << mode;
        EXPECT_EQ(out, std::vector<std::uint8_t>(kOemDevmodeSize - 1, 0xC3)) << mode;
    }
}

TEST_F(DevModeCallTest, UnknownModeAndMissingParameterFailWithInvalidParameter) {
    OemDevmode out = DefaultOemDevmode();
    for (com::DWORD mode : {0u, 5u, 0xFFFFFFFFu}) {
        lastError.code = 0;
        EXPECT_EQ(Call(mode, nullptr, &out), E_FAIL) << mode;
        EXPECT_EQ(lastError.code, static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
    }
    lastError.code = 0;
    EXPECT_EQ(DevMode(lastError, OEMDM_SIZE, nullptr), E_FAIL);
    EXPECT_EQ(lastError.code, static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
}

}  // namespace
