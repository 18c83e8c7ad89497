// Reading a PE file's version resource and the values of a version block, within the bytes given.
#include "platform/sim/api/version_resource.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win_constants.h"

namespace sim {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint16_t kVersionType = 16;  // RT_VERSION
constexpr std::uint16_t kVersionName = 1;   // VS_VERSION_INFO
constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kNamedEntry = 0x80000000u;

bool Fits(Bytes b, std::size_t at, std::size_t count) { return at <= b.size() && b.size() - at >= count; }

std::optional<std::uint16_t> U16(Bytes b, std::size_t at) {
    if (!Fits(b, at, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::optional<std::uint32_t> U32(Bytes b, std::size_t at) {
    if (!Fits(b, at, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t rawSize;
    std::uint32_t rawOffset;
};

// The file offset of `count` bytes at `rva`, when one section's raw data in the file holds them.
std::optional<std::size_t> FileOffset(Bytes file, const std::vector<Section>& sections,
                                      std::uint32_t rva, std::size_t count) {
    for (const Section& s : sections) {
        if (rva < s.virtualAddress) continue;
        const std::size_t into = rva - s.virtualAddress;
        if (into >= s.rawSize || s.rawSize - into < count) continue;
        const std::size_t offset = std::size_t{s.rawOffset} + into;
        if (!Fits(file, offset, count)) return std::nullopt;
        return offset;
    }
    return std::nullopt;
}

// The data offset of the entry of a resource directory at `dir` with number `id` (any entry
// when `id` is empty), or nothing; `badTree` is set when the directory lies outside the tree.
std::optional<std::uint32_t> FindEntry(Bytes tree, std::size_t dir, std::optional<std::uint16_t> id,
                                       bool& badTree) {
    const auto named = U16(tree, dir + 12), numbered = U16(tree, dir + 14);
    if (!named || !numbered) {
        badTree = true;
        return std::nullopt;
    }
    const std::size_t count = std::size_t{*named} + *numbered;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = dir + 16 + 8 * i;
        const auto name = U32(tree, entry), data = U32(tree, entry + 4);
        if (!name || !data) {
            badTree = true;
            return std::nullopt;
        }
        if (!id || (!(*name & kNamedEntry) && *name == *id)) return *data;
    }
    return std::nullopt;
}

VersionResourceLocation Error(std::uint32_t code) { return {code, 0, 0}; }

}  // namespace

VersionResourceLocation FindVersionResource(Bytes file) {
    // DOS header, then the PE signature and file header where it points.
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z') return Error(ERROR_BAD_EXE_FORMAT);
    const std::size_t pe = *U32(file, 0x3C);
    const auto signature = U32(file, pe);
    if (!signature || *signature != 0x00004550u) return Error(ERROR_BAD_EXE_FORMAT);
    const std::size_t header = pe + 4;
    const auto sectionCount = U16(file, header + 2), optionalSize = U16(file, header + 16);
    if (!sectionCount || !optionalSize) return Error(ERROR_BAD_EXE_FORMAT);
    const std::size_t optional = header + 20;

    // The optional header: PE32 or PE32+, and its resource directory (the third).
    const auto magic = U16(file, optional);
    if (!magic || (*magic != 0x10B && *magic != 0x20B)) return Error(ERROR_BAD_EXE_FORMAT);
    const std::size_t countAt = *magic == 0x10B ? 92 : 108;
    const std::size_t directoriesAt = countAt + 4;
    if (*optionalSize < directoriesAt || !Fits(file, optional, *optionalSize))
        return Error(ERROR_BAD_EXE_FORMAT);
    const std::uint32_t directoryCount = *U32(file, optional + countAt);
    const std::size_t sectionsAt = optional + *optionalSize;
    if (!Fits(file, sectionsAt, std::size_t{*sectionCount} * 40)) return Error(ERROR_BAD_EXE_FORMAT);
    std::vector<Section> sections;
    for (std::size_t i = 0; i < *sectionCount; ++i) {
        const std::size_t at = sectionsAt + 40 * i;
        sections.push_back({*U32(file, at + 12), *U32(file, at + 16), *U32(file, at + 20)});
    }
    const std::size_t resourceAt = optional + directoriesAt + 2 * 8;
    if (directoryCount < 3 || *optionalSize < directoriesAt + 3 * 8)
        return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    const std::uint32_t treeRva = *U32(file, resourceAt), treeSize = *U32(file, resourceAt + 4);
    if (treeRva == 0 || treeSize == 0) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    const auto treeAt = FileOffset(file, sections, treeRva, 16);
    if (!treeAt) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    // The tree's offsets count from its start; it ends where its section's data or the file ends.
    Bytes tree = file.subspan(*treeAt);
    const std::size_t treeBytes = std::min<std::size_t>(treeSize, tree.size());
    if (FileOffset(file, sections, treeRva, treeBytes)) tree = tree.first(treeBytes);

    // Type 16, name 1, the first language: a data entry.
    bool badTree = false;
    const auto type = FindEntry(tree, 0, kVersionType, badTree);
    if (badTree) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    if (!type || !(*type & kSubdirectory)) return Error(ERROR_RESOURCE_TYPE_NOT_FOUND);
    const auto name = FindEntry(tree, *type & ~kSubdirectory, kVersionName, badTree);
    if (badTree) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    if (!name || !(*name & kSubdirectory)) return Error(ERROR_RESOURCE_NAME_NOT_FOUND);
    const auto language = FindEntry(tree, *name & ~kSubdirectory, std::nullopt, badTree);
    if (badTree || !language || (*language & kSubdirectory)) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    const auto dataRva = U32(tree, *language), dataSize = U32(tree, *language + 4);
    if (!dataRva || !dataSize || *dataSize == 0) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    const auto dataAt = FileOffset(file, sections, *dataRva, *dataSize);
    if (!dataAt) return Error(ERROR_RESOURCE_DATA_NOT_FOUND);
    return {0, *dataAt, *dataSize};
}

namespace {

std::size_t Align4(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

// One node of a version block: wLength, wValueLength, wType, the key (UTF-16, zero-ended),
// the value and the children, each started on a 4-byte boundary from the block's start.
struct Node {
    std::size_t keyAt = 0, keyChars = 0;
    std::size_t valueAt = 0, valueSize = 0;
    bool text = false;
    std::size_t childrenAt = 0, end = 0;
};

// The node at `at`, kept within `end`, or nothing when it is too short or its key runs out.
std::optional<Node> ReadNode(Bytes block, std::size_t at, std::size_t end) {
    const auto length = U16(block, at), valueLength = U16(block, at + 2), type = U16(block, at + 4);
    if (!length || !valueLength || !type || *length < 6 || at + 6 > end) return std::nullopt;
    Node node;
    node.end = std::min(at + *length, end);
    node.keyAt = at + 6;
    std::size_t cursor = node.keyAt;
    for (;;) {
        if (cursor + 2 > node.end) return std::nullopt;
        if (block[cursor] == 0 && block[cursor + 1] == 0) break;
        cursor += 2;
    }
    node.keyChars = (cursor - node.keyAt) / 2;
    node.text = *type == 1;
    node.valueAt = std::min(Align4(cursor + 2), node.end);
    node.valueSize = std::min<std::size_t>(node.text ? *valueLength * std::size_t{2} : *valueLength,
                                           node.end - node.valueAt);
    node.childrenAt = std::min(Align4(node.valueAt + node.valueSize), node.end);
    return node;
}

bool KeyIs(Bytes block, const Node& node, std::string_view name) {
    if (node.keyChars != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint16_t c = static_cast<std::uint16_t>(block[node.keyAt + 2 * i] |
                                                           block[node.keyAt + 2 * i + 1] << 8);
        auto lower = [](std::uint16_t x) -> std::uint16_t { return x >= 'A' && x <= 'Z' ? x + 32 : x; };
        if (lower(c) != lower(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

}  // namespace

VersionValue FindVersionValue(Bytes block, std::string_view subBlock) {
    std::optional<Node> node = ReadNode(block, 0, block.size());
    if (!node) return {};
    while (!subBlock.empty()) {
        const std::size_t start = subBlock.find_first_not_of('\\');
        if (start == std::string_view::npos) break;
        subBlock.remove_prefix(start);
        const std::size_t stop = std::min(subBlock.find('\\'), subBlock.size());
        const std::string_view name = subBlock.substr(0, stop);
        subBlock.remove_prefix(stop);
        std::optional<Node> match;
        for (std::size_t at = node->childrenAt; at + 6 <= node->end;) {
            const std::optional<Node> child = ReadNode(block, at, node->end);
            if (!child) break;
            if (KeyIs(block, *child, name)) {
                match = child;
                break;
            }
            at = Align4(child->end);
        }
        if (!match) return {};
        node = match;
    }
    return {true, node->valueAt, node->valueSize, node->text};
}

}  // namespace sim
