// Whether a control's text fits the control in the dialog font, so that `show` can warn about
// a text that Windows would cut or wrap out of sight. An estimate from the font's average
// width of running text, meant to catch a text that is clearly too long.
#pragma once
#include <string>

namespace sim {

// Pixels the dialog font (8-point MS Shell Dlg at 96 dpi) needs, on average, per character of
// running text, and per line.
constexpr double kDialogFontTextWidth = 4.5;
constexpr int kDialogFontLineHeight = 13;

// Empty when the text fits; otherwise why not ("needs about 216 pixels, the control shows 178").
// `kind` is the control's kind as `show` names it; only statics, buttons, check boxes, radio
// buttons and group boxes are judged. Statics wrap their lines into the control's height; the
// others show one line. Access-key markers take no room; bytes count as characters, which
// also gives double-byte characters their double width.
std::string TextFitProblem(const std::string& kind, const std::string& text, int widthPx, int heightPx);

}  // namespace sim
