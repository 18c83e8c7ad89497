// The GB2312 font-mode switch and the font it gives.
#include "package/Gb2312Font.h"

#include "package/ProfileReaders.h"

namespace pkg {

plat::FontSpec Gb2312FontSpec() {
    plat::FontSpec font;
    font.height = 13;
    font.width = 0;
    font.weight = 400;  // FW_NORMAL
    font.italic = false;
    font.underline = false;
    font.strikeOut = false;
    font.charSet = 134;        // GB2312_CHARSET
    font.pitchAndFamily = 32;  // FF_SWISS | DEFAULT_PITCH
    font.face = "\xCB\xCE\xCC\xE5";  // "宋体"
    return font;
}

bool Gb2312FontMode(plat::Platform& platform) { return ReadSwitch(platform, "LANGUAGE") == 0; }

}  // namespace pkg
