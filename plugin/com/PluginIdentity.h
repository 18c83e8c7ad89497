// The plug-in's identity: its signature (also the private device mode's) and version.
#pragma once
#include <cstdint>

namespace plugin {

// 'QELM' with its first letter in the most significant byte.
inline constexpr std::uint32_t kPluginSignature = 0x51454C4D;
inline constexpr std::uint32_t kPluginVersion = 1;

}  // namespace plugin
