// Version resource conformance: GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA
// on a resource DLL made from tests/conformance/version_dlls, and their failures for a missing
// file, a DLL without a version resource and a file that is no executable.
#include <cstring>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

extern const unsigned char kVersionedDll[];
extern const unsigned kVersionedDll_size;
extern const unsigned char kUnversionedDll[];
extern const unsigned kUnversionedDll_size;

namespace conformance {
namespace {

class FileVersionsTest : public ConformanceTest {
protected:
    void SetUp() override {
        ConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        WriteText("versioned.dll", std::string(reinterpret_cast<const char*>(kVersionedDll),
                                               kVersionedDll_size));
        WriteText("unversioned.dll", std::string(reinterpret_cast<const char*>(kUnversionedDll),
                                                 kUnversionedDll_size));
    }

    plat::FileVersions& V() { return P().fileVersions(); }
    std::uint32_t LastError() { return P().lastError().GetLastError(); }

    // The block of versioned.dll, read into a buffer of the size asked for.
    std::vector<std::uint8_t> ReadBlock() {
        std::uint32_t handle = 99;
        const std::uint32_t size = V().GetFileVersionInfoSizeA(Path("versioned.dll").c_str(), handle);
        EXPECT_EQ(handle, 0u);
        std::vector<std::uint8_t> block(size);
        EXPECT_GT(size, 0u);
        if (size == 0) return block;
        EXPECT_TRUE(V().GetFileVersionInfoA(Path("versioned.dll").c_str(), handle, size, block.data()));
        return block;
    }

    // The text VerQueryValueA gives for `subBlock`, checking that it lies inside `block`.
    std::string QueryText(std::vector<std::uint8_t>& block, const char* subBlock, std::uint32_t& length) {
        void* value = nullptr;
        length = 0;
        if (!V().VerQueryValueA(block.data(), subBlock, value, length)) return "<failed>";
        const auto* at = static_cast<const std::uint8_t*>(value);
        EXPECT_GE(at, block.data());
        EXPECT_LE(at + length, block.data() + block.size());
        return reinterpret_cast<const char*>(value);
    }
};

TEST_F(FileVersionsTest, FixedInfoHoldsTheFileAndProductVersions) {
    std::vector<std::uint8_t> block = ReadBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(V().VerQueryValueA(block.data(), "\\", value, length));
    ASSERT_EQ(length, sizeof(plat::VS_FIXEDFILEINFO));
    plat::VS_FIXEDFILEINFO info;
    std::memcpy(&info, value, sizeof info);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00030001u);  // 3,1
    EXPECT_EQ(info.dwFileVersionLS, 0x0004000Fu);  // 4,15
    EXPECT_EQ(info.dwProductVersionMS, 0x00020007u);
    EXPECT_EQ(info.dwProductVersionLS, 0x00010008u);
    EXPECT_EQ(info.dwFileOS, 0x40004u);
    EXPECT_EQ(info.dwFileType, 2u);
}

TEST_F(FileVersionsTest, TranslationIsLanguageThenCodePage) {
    std::vector<std::uint8_t> block = ReadBlock();
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    std::uint32_t length = 0;
    ASSERT_TRUE(V().VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", value, length));
    ASSERT_EQ(length, 4u);
    const auto* bytes = static_cast<const std::uint8_t*>(value);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 0x0409);
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 1200);
}

TEST_F(FileVersionsTest, StringsAreFoundByLanguageAndNameInAnyLetterCase) {
    std::vector<std::uint8_t> block = ReadBlock();
    ASSERT_FALSE(block.empty());
    std::uint32_t length = 0;
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\FileVersion", length), "3.1.4.15");
    EXPECT_EQ(length, 9u);  // with its terminating zero
    EXPECT_EQ(QueryText(block, "\\stringfileinfo\\040904B0\\productname", length), "Sample Device");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\CompanyName", length), "Sample Works");
    // A name, a language or a block that is not there.
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\FileDescription", length), "<failed>");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040704b0\\FileVersion", length), "<failed>");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\FileVersio", length), "<failed>");
}

TEST_F(FileVersionsTest, FilesWithoutAVersionHaveNoSize) {
    WriteText("notes.txt", "MZ is not enough to make an executable file of this text.\r\n");
    std::uint32_t handle = 0;
    EXPECT_EQ(V().GetFileVersionInfoSizeA(Path("missing.dll").c_str(), handle), 0u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(V().GetFileVersionInfoSizeA(Path("unversioned.dll").c_str(), handle), 0u);
    // Wine does not tell a missing resource type from a missing resource section (1812).
    EXPECT_TRUE_EXCEPT_WINE(LastError() == static_cast<std::uint32_t>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(V().GetFileVersionInfoSizeA(Path("notes.txt").c_str(), handle), 0u);
    EXPECT_NE(LastError(), 0u);

    std::vector<std::uint8_t> buffer(4096);
    EXPECT_FALSE(V().GetFileVersionInfoA(Path("missing.dll").c_str(), 0, 4096, buffer.data()));
    EXPECT_FALSE(V().GetFileVersionInfoA(Path("unversioned.dll").c_str(), 0, 4096, buffer.data()));
}

}  // namespace
}  // namespace conformance
