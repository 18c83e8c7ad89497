// The Chinese (GB2312) dialog font mode: when it is on, and the font every window then uses.
#pragma once
#include <cstdint>

#include "platform/platform.h"

namespace setup {

// The font handed to each window and its controls in GB2312 font mode, as CreateFontA's
// arguments. Precision, clipping and quality are the defaults (0).
struct Gb2312Font {
    std::int32_t height = 13;
    std::int32_t width = 0;
    std::int32_t weight = 400;  // FW_NORMAL
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 134;        // GB2312_CHARSET
    std::uint8_t outPrecision = 0;     // OUT_DEFAULT_PRECIS
    std::uint8_t clipPrecision = 0;    // CLIP_DEFAULT_PRECIS
    std::uint8_t quality = 0;          // DEFAULT_QUALITY
    std::uint8_t pitchAndFamily = 32;  // FF_SWISS | DEFAULT_PITCH
    // "宋体" in GB2312 bytes.
    const char* faceName = "\xCB\xCE\xCC\xE5";
};

// On when DEVICENAME/LANGUAGE of "DRVCONFIG\setup.ini" (current-directory-relative) is 0,
// which is also the case when the key is missing.
bool Gb2312FontMode(plat::Platform& platform);

}  // namespace setup
