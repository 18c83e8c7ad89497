// File version resources on the simulated machine: read from the files' own bytes.
#include "platform/sim/api/file_versions.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/version_resource.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr char kAnsiSignature[4] = {'F', 'E', '2', 'X'};

std::uint16_t RootLength(const std::uint8_t* block) {
    return static_cast<std::uint16_t>(block[0] | block[1] << 8);
}

}  // namespace

bool SimFileVersions::Fail(std::uint32_t code) {
    error_.SetLastError(code);
    return false;
}

bool SimFileVersions::ReadResource(const char* path, const char* call,
                                   std::vector<std::uint8_t>& resource) {
    if (!path) return Fail(ERROR_INVALID_PARAMETER);
    const std::string absolute = files_.Absolute(path);
    if (std::uint32_t fault = InjectedFault(machine_, call, absolute)) return Fail(fault);
    std::vector<std::uint8_t> file;
    if (!files_.ReadWholeFile(absolute.c_str(), file)) return false;  // the file system's error
    const VersionResourceLocation found = FindVersionResource(file);
    if (found.error) return Fail(found.error);
    // The block's own length is 16 bits; a larger resource holds nothing more of it.
    const std::size_t size = std::min<std::size_t>(found.size, 0xFFFF);
    resource.assign(file.begin() + static_cast<std::ptrdiff_t>(found.offset),
                    file.begin() + static_cast<std::ptrdiff_t>(found.offset + size));
    return true;
}

std::uint32_t SimFileVersions::GetFileVersionInfoSizeA(const char* path, std::uint32_t& handle) {
    handle = 0;
    std::vector<std::uint8_t> resource;
    if (!ReadResource(path, "GetFileVersionInfoSizeA", resource)) return 0;
    error_.SetLastError(ERROR_SUCCESS);
    return static_cast<std::uint32_t>(resource.size() * 2 + sizeof kAnsiSignature);
}

bool SimFileVersions::GetFileVersionInfoA(const char* path, std::uint32_t, std::uint32_t size,
                                          void* data) {
    if (!data) return Fail(ERROR_INVALID_PARAMETER);
    std::vector<std::uint8_t> resource;
    if (!ReadResource(path, "GetFileVersionInfoA", resource)) return false;
    auto* out = static_cast<std::uint8_t*>(data);
    const std::size_t copied = std::min<std::size_t>(size, resource.size());
    std::memcpy(out, resource.data(), copied);
    if (copied >= 2 && RootLength(out) > copied) {
        // A cut block says how much of it there is, so no query reads past the buffer.
        out[0] = static_cast<std::uint8_t>(copied & 0xFF);
        out[1] = static_cast<std::uint8_t>(copied >> 8);
    }
    // The signature marks a block with its spare half, where strings' ANSI forms go.
    if (copied >= 2) {
        const std::size_t length = RootLength(out);
        if (std::size_t{size} >= length * 2 + sizeof kAnsiSignature)
            std::memcpy(out + length, kAnsiSignature, sizeof kAnsiSignature);
    }
    error_.SetLastError(ERROR_SUCCESS);
    return true;
}

bool SimFileVersions::VerQueryValueA(void* block, const char* subBlock, void*& value,
                                     std::uint32_t& length) {
    value = nullptr;
    length = 0;
    if (!block || !subBlock) return Fail(ERROR_INVALID_PARAMETER);
    if (std::uint32_t fault = InjectedFault(machine_, "VerQueryValueA", subBlock)) return Fail(fault);
    auto* bytes = static_cast<std::uint8_t*>(block);
    const std::size_t blockLength = RootLength(bytes);
    const VersionValue found = FindVersionValue({bytes, blockLength}, subBlock);
    if (!found.found) return Fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    if (!found.text) {
        value = bytes + found.offset;
        length = static_cast<std::uint32_t>(found.size);
        return true;
    }
    // A string: its ANSI form at its own offset in the spare half, which only a block with
    // the signature has.
    if (std::memcmp(bytes + blockLength, kAnsiSignature, sizeof kAnsiSignature) != 0)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::uint8_t* ansi = bytes + blockLength + sizeof kAnsiSignature + found.offset;
    // The spare half ends where the block's length says, so the string is cut to fit it.
    const std::size_t room = blockLength - found.offset;
    if (room == 0) return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::size_t n = 0;
    for (std::size_t at = found.offset; at + 1 < found.offset + found.size && n + 1 < room; at += 2) {
        const std::uint16_t c = static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
        if (c == 0) break;
        ansi[n++] = c < 0x100 ? static_cast<std::uint8_t>(c) : '?';
    }
    ansi[n++] = 0;
    value = ansi;
    length = static_cast<std::uint32_t>(n);
    return true;
}

}  // namespace sim
