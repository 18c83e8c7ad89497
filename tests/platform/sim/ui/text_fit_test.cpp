// The room a control's text needs in the dialog font (4.5 pixels a character, 13 a line),
// worked out by hand for the wizard's own controls.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/ui/text_fit.h"

namespace {

using sim::TextFitProblem;

TEST(TextFit, JudgesLabelsButtonsAndBoxesAgainstTheirRoom) {
    const std::string copyright = "Copyright (C) the authors of this driver package";  // 48: 216 px
    const std::string note2 =
        "Advanced installation lets you choose any port the model supports,\r\n"  // 66: 297 px, 2 rows
        "including all four USB ports and the serial line settings.";             // 58: 261 px, 1 row
    struct Case {
        const char* kind;
        std::string text;
        int width, height;
        const char* problem;
    } cases[] = {
        // The About box's copyright line at 119 x 8 dialog units, and at 188 x 8.
        {"static", copyright, 178, 13, "needs about 216 pixels, the control shows 178"},
        {"static", copyright, 282, 13, ""},
        // The mode page's note: 185 x 26 dialog units show three rows; a third line needs a fourth.
        {"static", note2, 277, 42, ""},
        {"static", note2 + "\nOne more line.", 277, 42, "needs about 4 lines, the control shows 3"},
        // Radio buttons and check boxes lose 16 pixels to their circle or box.
        {"auto radio button", std::string(50, 'r'), 267, 16, ""},
        {"auto radio button", std::string(56, 'r'), 267, 16, "needs about 252 pixels, the control shows 251"},
        {"check box", std::string(55, 'c'), 264, 16, ""},
        // Group boxes lose 8 to the frame's corner; push buttons show one row.
        {"group box", std::string(62, 'g'), 288, 232, ""},
        {"group box", std::string(63, 'g'), 288, 232, "needs about 284 pixels, the control shows 280"},
        {"default button", "&Next >", 75, 22, ""},
        {"button", std::string(17, 'b'), 75, 22, "needs about 77 pixels, the control shows 75"},
        // Access-key markers take no room; "&&" shows one '&'.
        {"static", "&&" + std::string(38, 's') + "&x", 180, 13, ""},
        {"static", "&&" + std::string(39, 's') + "&x", 180, 13, "needs about 185 pixels, the control shows 180"},
        // Edits, lists and empty texts are not judged.
        {"multi-line read-only edit", std::string(500, 'e'), 10, 10, ""},
        {"drop-down list", std::string(50, 'd'), 10, 10, ""},
        {"static", "", 0, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFitProblem(c.kind, c.text, c.width, c.height), c.problem) << c.kind << " " << c.text;
}

}  // namespace
