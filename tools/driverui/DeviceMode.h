// A whole device mode as the driver hands it around and stores it: the public DEVMODEW followed
// by the plug-in's private block (dmDriverExtra bytes), in one buffer.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "tools/driverui/PublicDevmode.h"

namespace driverui {

class DeviceMode {
public:
    // The public part and a private block of `privateSize` zero bytes behind it; dmDriverExtra
    // is set to that size.
    DeviceMode(const PublicDevmode& publicPart, std::uint16_t privateSize);

    PublicDevmode& publicPart() { return *reinterpret_cast<PublicDevmode*>(bytes_.data()); }
    const PublicDevmode& publicPart() const {
        return *reinterpret_cast<const PublicDevmode*>(bytes_.data());
    }
    std::uint8_t* privateBlock() { return bytes_.data() + kPublicDevmodeSize; }
    std::uint16_t privateSize() const {
        return static_cast<std::uint16_t>(bytes_.size() - kPublicDevmodeSize);
    }
    // The stored form: exactly dmSize + dmDriverExtra bytes.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// A stored device mode taken apart: its public part and its private block's bytes.
struct StoredDevmode {
    PublicDevmode publicPart;
    std::vector<std::uint8_t> privateBlock;
};

// Reads stored bytes: nothing when they are not a device mode this host wrote (fewer than 220
// bytes, dmSize other than 220, or a length other than dmSize + dmDriverExtra), so a damaged
// or foreign value is never read past its end.
std::optional<StoredDevmode> ReadStoredDevmode(const std::vector<std::uint8_t>& bytes);

}  // namespace driverui
