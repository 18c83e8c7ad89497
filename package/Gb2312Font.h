// The Chinese (GB2312) dialog font mode: when it is on, and the font every window then uses.
#pragma once
#include "platform/platform.h"

namespace pkg {

// The font handed to each window and its controls in GB2312 font mode, as the dialog layer
// takes it: height 13, width 0, FW_NORMAL (400), not italic, underlined or struck out,
// GB2312_CHARSET (134), FF_SWISS | DEFAULT_PITCH (32), face "宋体" in GB2312 bytes. Precision,
// clipping and quality stay the defaults (0).
plat::FontSpec Gb2312FontSpec();

// On when DEVICENAME/LANGUAGE of "DRVCONFIG\setup.ini" (current-directory-relative) is 0,
// which is also the case when the key is missing.
bool Gb2312FontMode(plat::Platform& platform);

}  // namespace pkg
