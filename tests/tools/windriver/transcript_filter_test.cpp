// The comparable form of transcripts: what is kept, what is dropped, what is rewritten.
#include <gtest/gtest.h>

#include "tools/windriver/transcript_filter.h"

namespace {

using windriver::ObservableLines;

TEST(TranscriptFilter, KeepsWhatBothSidesSeeAndDropsTheRest) {
    std::string transcript =
        "setup: opens window \"Printer Driver Setup\"\n"
        "setup: shows page IDD_LICENSE_PAGE (133)\n"
        "setup: brings window \"Printer Driver Setup\" to the foreground\n"
        "setup: Vietnamese fonts requested\n"
        "setup: shell: open C:\\Package\\SetupHelp.txt\n"
        "setup: clicks IDC_ACCEPT \"I &accept\"\r\n"
        "setup: ticks IDC_DEFAULT_PRINTER \"&Use\"\n"
        "setup: IDC_DEFAULT_PRINTER \"&Use\" is already ticked\n"
        "setup: chooses \"VTX-L40\" in IDC_MODELS_LABEL\n"
        "setup: message box \"Printer Driver Setup\" [warning icon, OK] \"Install pressed\" -> OK (script line 3)\n"
        "setup: presses Enter in \"Printer Driver Setup\"\n"
        "setup: chooses \"&About Printer Driver Setup...\" from the system menu of \"Printer Driver Setup\"\n"
        "setup: the default button is disabled; nothing happens\n"
        "setup: script error: line 4: click 1: the control is disabled\n"
        "setup: chooses an item from the system menu of \"About\"\n"
        "script not finished: line 5: show\n"
        "winsim: something of its own\n";
    std::vector<std::string> expected = {
        "setup: opens window \"Printer Driver Setup\"",
        "setup: shows page IDD_LICENSE_PAGE (133)",
        "setup: clicks IDC_ACCEPT \"I &accept\"",
        "setup: ticks IDC_DEFAULT_PRINTER \"&Use\"",
        "setup: IDC_DEFAULT_PRINTER \"&Use\" is already ticked",
        "setup: chooses \"VTX-L40\" in IDC_MODELS_LABEL",
        "setup: message box \"Printer Driver Setup\" [icon, OK] \"Install pressed\" -> OK (script line 3)",
        "setup: presses Enter in \"Printer Driver Setup\"",
        "setup: chooses an item from the system menu of \"Printer Driver Setup\"",
        "setup: the default button is disabled; nothing happens",
        "setup: script error: line 4: click 1: the control is disabled",
        "setup: chooses an item from the system menu of \"About\"",
        "script not finished: line 5: show",
    };
    EXPECT_EQ(ObservableLines(transcript), expected);
}

TEST(TranscriptFilter, ShowDumpsKeepIdsKindsTextsAndStatesOnly) {
    std::string transcript =
        "setup: shows \"About\" (dialog 100):\n"
        "setup:   -1 IDC_STATIC static \"\"\n"
        "setup:   1 IDOK default button \"&Next >\" focused\n"
        "setup:   1002 button \"< &Back\" disabled\n"
        "setup:   painted: bitmap \"DRVCONFIG\\Left.bmp\" stretched over (10,8)-(135,264)\n"
        "setup:   warning: the text of 1092 needs about 216 pixels, the control shows 178\n"
        "setup:   page IDD_MODEL_PAGE (131):\n"
        "setup:     1081 IDC_LICENSE_TEXT multi-line read-only edit \"A focused text\" window colours\n"
        "setup:     1019 IDC_SERIES_RECEIPT auto radio button \"Receipt\" checked font \"X Y\" 13 charset 134\n"
        "setup:     1052 IDC_RASTER auto check box \"Raster\" checked tooltip \"按“F1”\" (200 px)\n"
        "setup:   page IDD_MODE_PAGE (137) (hidden)\n";
    std::vector<std::string> expected = {
        "setup: shows \"About\" (dialog 100):",
        "setup:   -1 static \"\"",
        "setup:   1 default button \"&Next >\"",
        "setup:   1002 button \"< &Back\" disabled",
        "setup:   page IDD_MODEL_PAGE (131):",
        "setup:     1081 multi-line read-only edit \"A focused text\"",
        "setup:     1019 auto radio button \"Receipt\" checked",
        "setup:     1052 auto check box \"Raster\" checked",
        "setup:   page IDD_MODE_PAGE (137) (hidden)",
    };
    EXPECT_EQ(ObservableLines(transcript), expected);
}

TEST(TranscriptFilter, AWindowRetitledAsItOpensReadsAsOpenedUnderItsTitle) {
    std::string transcript =
        "setup: opens window \"About\"\n"
        "setup: window \"About\" is now titled \"About Printer Driver Setup\"\n"
        "setup: window \"About Printer Driver Setup\" is now titled \"Later\"\n"
        "setup: opens window \"Other\"\n"
        "setup: clicks IDOK \"OK\"\n"
        "setup: window \"Other\" is now titled \"Renamed\"\n";
    std::vector<std::string> expected = {
        "setup: opens window \"About Printer Driver Setup\"",
        "setup: window \"About Printer Driver Setup\" is now titled \"Later\"",
        "setup: opens window \"Other\"",
        "setup: clicks IDOK \"OK\"",
        "setup: window \"Other\" is now titled \"Renamed\"",
    };
    EXPECT_EQ(ObservableLines(transcript), expected);
}

}  // namespace
