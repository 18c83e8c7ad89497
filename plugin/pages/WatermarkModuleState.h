// What the watermark page keeps for the module's life rather than the sheet's: the picture of
// the chosen bitmap for the preview and the flags that say when to read it again and whether a
// preview error may still be shown. One open document sheet at a time uses it.
#pragma once
#include <cstddef>
#include <string>

#include "platform/pixel_image.h"

namespace plugin {

// The most pixel bytes (24-bit rows, padding included) the preview keeps of a bitmap.
inline constexpr std::size_t kWatermarkPixelLimit = 10485760;

struct WatermarkModuleState {
    // The converted bitmap's picture; empty (width 0) while none is loaded.
    plat::PixelImage picture;
    // The chosen file the picture was made from, so that a sheet showing another file's path
    // reads that file instead of showing this one.
    std::u16string pictureSource;
    bool reload = true;      // read the bitmap again before the next preview
    bool showErrors = true;  // a preview error is shown once per loaded module
};

// The module's state, as it stands.
WatermarkModuleState& WatermarkState();
// Puts the state back as a freshly loaded module has it (tests start each sheet from there).
void ResetWatermarkState();

}  // namespace plugin
