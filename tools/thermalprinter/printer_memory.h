// What the printer keeps while it is switched off: the logos stored by the logo download
// commands (all one-bit or all sixteen-level gray: a download replaces every stored logo) and
// its internal ID.
#pragma once
#include <cstdint>
#include <vector>

namespace thermal {

struct StoredLogo {
    bool gray = false;
    int width = 0;   // dots
    int height = 0;  // dots
    std::vector<std::uint8_t> ink;  // row-major, top row first: 0 none .. 255 black
};

// The logo memory's size: the download refuses logos that together need more.
inline constexpr std::size_t kLogoMemoryBytes = 96 * 1024;

struct PrinterMemory {
    std::vector<StoredLogo> logos;
    int internalId = 0;
    // The image the download command keeps until it is replaced or the printer is switched off.
    StoredLogo downloaded;
};

}  // namespace thermal
