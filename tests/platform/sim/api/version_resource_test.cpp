// Tests of the version resource reader: a real resource DLL, the same file cut at each header
// and made hostile field by field, and version blocks built by hand.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/api/version_resource.h"
#include "platform/win_constants.h"

extern const unsigned char kVersionedDll[];
extern const unsigned kVersionedDll_size;
extern const unsigned char kUnversionedDll[];
extern const unsigned kUnversionedDll_size;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Versioned() { return {kVersionedDll, kVersionedDll + kVersionedDll_size}; }

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// Where the headers of a PE32 file lie: the PE signature (e_lfanew), the file header after
// it, the optional header after that (224 bytes in a PE32 file) and the section table.
struct Layout {
    std::size_t pe, fileHeader, optional, sections, resourceDirectory;
};
Layout LayoutOf(const Bytes& file) {
    const std::size_t pe = U32(file, 0x3C);
    return {pe, pe + 4, pe + 24, pe + 24 + 224, pe + 24 + 96 + 16};
}

TEST(VersionResource, FindsTheVersionBlockOfAResourceDll) {
    const Bytes file = Versioned();
    const sim::VersionResourceLocation found = sim::FindVersionResource(file);
    ASSERT_EQ(found.error, 0u);
    ASSERT_GE(found.size, 40u);
    ASSERT_LE(found.offset + found.size, file.size());
    // VS_VERSIONINFO: its length, then the key "VS_VERSION_INFO" in UTF-16 at offset 6.
    EXPECT_EQ(file[found.offset] | file[found.offset + 1] << 8, static_cast<int>(found.size));
    std::string key;
    for (std::size_t i = 0; i < 15; ++i) key += static_cast<char>(file[found.offset + 6 + 2 * i]);
    EXPECT_EQ(key, "VS_VERSION_INFO");
}

TEST(VersionResource, ADllWithOtherResourcesHasNoVersionType) {
    const Bytes file(kUnversionedDll, kUnversionedDll + kUnversionedDll_size);
    EXPECT_EQ(sim::FindVersionResource(file).error, static_cast<std::uint32_t>(ERROR_RESOURCE_TYPE_NOT_FOUND));
}

TEST(VersionResource, AFileCutAtEachHeaderIsNoExecutable) {
    const Bytes whole = Versioned();
    const Layout at = LayoutOf(whole);
    const sim::VersionResourceLocation found = sim::FindVersionResource(whole);
    ASSERT_EQ(found.error, 0u);
    struct Case {
        std::size_t length;
        std::uint32_t error;
    };
    const Case cases[] = {
        {0, ERROR_BAD_EXE_FORMAT},
        {2, ERROR_BAD_EXE_FORMAT},
        {63, ERROR_BAD_EXE_FORMAT},                   // inside the DOS header
        {at.pe + 3, ERROR_BAD_EXE_FORMAT},            // inside the PE signature
        {at.fileHeader + 19, ERROR_BAD_EXE_FORMAT},   // inside the file header
        {at.optional + 100, ERROR_BAD_EXE_FORMAT},    // inside the optional header
        {at.sections + 39, ERROR_BAD_EXE_FORMAT},     // inside the first section's record
        {at.sections + 3 * 40 - 1, ERROR_BAD_EXE_FORMAT},
        {found.offset, ERROR_RESOURCE_DATA_NOT_FOUND},  // the block itself is gone
        {found.offset + found.size - 1, ERROR_RESOURCE_DATA_NOT_FOUND},
        {found.offset + found.size, 0},                 // the block is whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("cut at " + std::to_string(c.length));
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(c.length));
        EXPECT_EQ(sim::FindVersionResource(cut).error, c.error);
    }
}

TEST(VersionResource, HostileFieldsAreRefusedWithoutReadingOutside) {
    const Bytes whole = Versioned();
    const Layout at = LayoutOf(whole);
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"no MZ", [](Bytes& b) { b[0] = 'Z'; }, ERROR_BAD_EXE_FORMAT},
        {"e_lfanew far away", [](Bytes& b) { Put32(b, 0x3C, 0xFFFFFFF0u); }, ERROR_BAD_EXE_FORMAT},
        {"not PE", [&](Bytes& b) { b[at.pe] = 'N'; }, ERROR_BAD_EXE_FORMAT},
        {"unknown magic", [&](Bytes& b) { Put16(b, at.optional, 0x107); }, ERROR_BAD_EXE_FORMAT},
        {"65535 sections", [&](Bytes& b) { Put16(b, at.fileHeader + 2, 0xFFFF); }, ERROR_BAD_EXE_FORMAT},
        {"optional header too short", [&](Bytes& b) { Put16(b, at.fileHeader + 16, 64); }, ERROR_BAD_EXE_FORMAT},
        {"two data directories", [&](Bytes& b) { Put32(b, at.optional + 92, 2); }, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"no resource directory", [&](Bytes& b) { Put32(b, at.resourceDirectory, 0); }, ERROR_RESOURCE_DATA_NOT_FOUND},
        {"resources outside every section", [&](Bytes& b) { Put32(b, at.resourceDirectory, 0x7FFF0000u); },
         ERROR_RESOURCE_DATA_NOT_FOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = whole;
        c.damage(file);
        EXPECT_EQ(sim::FindVersionResource(file).error, c.error);
    }
}

TEST(VersionResource, ADirectoryClaimingMoreEntriesThanTheFileHoldsIsRefused) {
    Bytes file = Versioned();
    const Layout at = LayoutOf(file);
    // The resource tree's root: the section whose address the resource directory names.
    const std::uint32_t rva = U32(file, at.resourceDirectory);
    std::size_t root = 0;
    for (std::size_t s = at.sections; s < at.sections + 3 * 40; s += 40)
        if (U32(file, s + 12) == rva) root = U32(file, s + 20);
    ASSERT_NE(root, 0u);
    // The version type's entry is renumbered, so the search runs through every claimed entry.
    ASSERT_EQ(U32(file, root + 16), 16u);
    Put32(file, root + 16, 17);
    EXPECT_EQ(sim::FindVersionResource(file).error, static_cast<std::uint32_t>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    Put16(file, root + 14, 0xFFFF);  // numbered entries
    Put16(file, root + 12, 0xFFFF);  // named entries
    EXPECT_EQ(sim::FindVersionResource(file).error, static_cast<std::uint32_t>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

// A version block node: length, value length, type, key, value, children, 4-byte aligned.
Bytes Node(const std::string& key, const Bytes& value, bool text, const std::vector<Bytes>& children) {
    Bytes b(6);
    for (char c : key) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
    b.insert(b.end(), {0, 0});
    while (b.size() % 4) b.push_back(0);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        while (b.size() % 4) b.push_back(0);
        b.insert(b.end(), child.begin(), child.end());
    }
    Put16(b, 0, static_cast<std::uint16_t>(b.size()));
    Put16(b, 2, static_cast<std::uint16_t>(text ? value.size() / 2 : value.size()));
    Put16(b, 4, text ? 1 : 0);
    return b;
}
Bytes Utf16(const std::string& s) {
    Bytes b;
    for (char c : s) b.insert(b.end(), {static_cast<std::uint8_t>(c), 0});
    b.insert(b.end(), {0, 0});
    return b;
}

TEST(VersionResource, ValuesAreFoundByPathInHandMadeBlocks) {
    const Bytes block = Node("VS_VERSION_INFO", Bytes{1, 2, 3, 4}, false,
                             {Node("StringFileInfo", {}, true,
                                   {Node("041104b0", {}, true, {Node("A", Utf16("x"), true, {}),
                                                                Node("FileVersion", Utf16("1.2"), true, {})})})});
    const sim::VersionValue root = sim::FindVersionValue(block, "\\");
    ASSERT_TRUE(root.found);
    EXPECT_EQ(root.offset, 40u);  // 6 + 32 bytes of key, aligned to 4
    EXPECT_EQ(root.size, 4u);
    EXPECT_FALSE(root.text);
    const sim::VersionValue text = sim::FindVersionValue(block, "\\StringFileInfo\\041104B0\\fileversion");
    ASSERT_TRUE(text.found);
    EXPECT_TRUE(text.text);
    EXPECT_EQ(text.size, 8u);  // "1.2" and its zero in UTF-16
    EXPECT_EQ(block[text.offset], '1');
    EXPECT_FALSE(sim::FindVersionValue(block, "\\StringFileInfo\\041104b0\\B").found);
    EXPECT_FALSE(sim::FindVersionValue(block, "\\VarFileInfo").found);
}

TEST(VersionResource, DamagedBlocksStayWithinTheirBytes) {
    const Bytes good = Node("VS_VERSION_INFO", Bytes(8, 7), false, {Node("VarFileInfo", {}, false,
                                                                          {Node("Translation", Bytes{9, 4, 0xB0, 4}, false, {})})});
    ASSERT_TRUE(sim::FindVersionValue(good, "\\VarFileInfo\\Translation").found);
    // A child claiming more than its parent holds is kept within it.
    Bytes longChild = good;
    Put16(longChild, 48, 0xFFF0);
    EXPECT_TRUE(sim::FindVersionValue(longChild, "\\VarFileInfo").found);
    const sim::VersionValue clipped = sim::FindVersionValue(longChild, "\\VarFileInfo\\Translation");
    ASSERT_TRUE(clipped.found);
    EXPECT_LE(clipped.offset + clipped.size, longChild.size());
    // A child shorter than a node's header ends the search.
    Bytes shortChild = good;
    Put16(shortChild, 48, 2);
    EXPECT_FALSE(sim::FindVersionValue(shortChild, "\\VarFileInfo").found);
    // A key without its terminating zero, and blocks too short to hold a node.
    Bytes noZero = Node("VS_VERSION_INFO", {}, false, {});
    noZero.resize(noZero.size() - 4);
    Put16(noZero, 0, static_cast<std::uint16_t>(noZero.size()));
    EXPECT_FALSE(sim::FindVersionValue(noZero, "\\").found);
    EXPECT_FALSE(sim::FindVersionValue(Bytes{}, "\\").found);
    EXPECT_FALSE(sim::FindVersionValue(Bytes{6, 0, 0, 0}, "\\").found);
    // A value longer than its node is cut at the node's end.
    Bytes longValue = good;
    Put16(longValue, 2, 0xFFFF);
    const sim::VersionValue root = sim::FindVersionValue(longValue, "\\");
    ASSERT_TRUE(root.found);
    EXPECT_EQ(root.offset + root.size, longValue.size());
}

}  // namespace
