// DevMode's four modes: size, defaults, conversion of own, older and foreign blocks, and merge.
#include <gtest/gtest.h>

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
