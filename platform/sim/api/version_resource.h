// Reading a PE file's version resource and the values of a version block, within the bytes given.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace sim {

// Where the version resource (type 16, name 1, its first language) lies in a PE file, or the
// error Windows gives for the file: ERROR_BAD_EXE_FORMAT when the headers are not those of a
// PE file or run past its end, ERROR_RESOURCE_DATA_NOT_FOUND when it has no resources (or the
// resource tree lies outside the file), ERROR_RESOURCE_TYPE_NOT_FOUND when none is a version
// resource, ERROR_RESOURCE_NAME_NOT_FOUND when no version resource is number 1.
struct VersionResourceLocation {
    std::uint32_t error = 0;
    std::size_t offset = 0;  // in the file
    std::size_t size = 0;
};
VersionResourceLocation FindVersionResource(std::span<const std::uint8_t> file);

// A value found in a version block (VS_VERSIONINFO in its 32-bit, UTF-16 layout): its offset
// from the block's start, its size in bytes, and whether it is text (UTF-16, `size` then
// counting its bytes up to and with the terminating zero as far as the block holds it).
struct VersionValue {
    bool found = false;
    std::size_t offset = 0;
    std::size_t size = 0;
    bool text = false;
};

// Finds `subBlock` ("\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904b0\\Name";
// components match their keys without regard to letter case) in `block`. Every node is kept
// within its parent and the block, so a damaged block gives "not found", never a read outside.
VersionValue FindVersionValue(std::span<const std::uint8_t> block, std::string_view subBlock);

}  // namespace sim
