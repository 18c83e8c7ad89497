// Device modes in one buffer, and reading them back from their stored bytes.
#include "tools/driverui/DeviceMode.h"

#include <cstring>

namespace driverui {

DeviceMode::DeviceMode(const PublicDevmode& publicPart, std::uint16_t privateSize)
    : bytes_(kPublicDevmodeSize + std::size_t{privateSize}, 0) {
    std::memcpy(bytes_.data(), &publicPart, kPublicDevmodeSize);
    this->publicPart().dmDriverExtra = privateSize;
}

std::optional<StoredDevmode> ReadStoredDevmode(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kPublicDevmodeSize) return std::nullopt;
    StoredDevmode stored;
    std::memcpy(&stored.publicPart, bytes.data(), kPublicDevmodeSize);
    if (stored.publicPart.dmSize != kPublicDevmodeSize) return std::nullopt;
    const std::size_t extra = stored.publicPart.dmDriverExtra;
    if (bytes.size() != kPublicDevmodeSize + extra) return std::nullopt;
    stored.privateBlock.assign(bytes.begin() + kPublicDevmodeSize, bytes.end());
    return stored;
}

}  // namespace driverui
