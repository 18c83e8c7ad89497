// What the operation dialog offers: the entries of its lists (a block stores the index of the
// chosen entry), its title for each moment of a job, and how it reads the typed paper feed.
#pragma once
#include <optional>
#include <string_view>

#include "plugin/devmode/OemDevmode.h"

namespace plugin {

inline constexpr std::string_view kCashDrawerEntries[] = {
    "No Cash Drawer",
    "Cash Drawer #1 Waiting 10ms",    "Cash Drawer #1 Waiting 20ms",
    "Cash Drawer #1 Waiting 40ms",    "Cash Drawer #1 Waiting 60ms",
    "Cash Drawer #2 Waiting 10ms",    "Cash Drawer #2 Waiting 20ms",
    "Cash Drawer #2 Waiting 40ms",    "Cash Drawer #2 Waiting 60ms",
    "Cash Drawer #1+#2 Waiting 10ms", "Cash Drawer #1+#2 Waiting 20ms",
    "Cash Drawer #1+#2 Waiting 40ms", "Cash Drawer #1+#2 Waiting 60ms",
};
inline constexpr std::string_view kBuzzerEnableEntries[] = {"Enable", "Disable"};
inline constexpr std::string_view kBeepEntries[] = {
    "Beep off",      "Beep 200 ms",   "Beep 600 ms",
    "Beep 1 second", "Beep 2 second", "Beep 4 second",
};
inline constexpr std::string_view kPaperCutEntries[] = {"No Cut", "Partial Cut", "Full Cut"};
inline constexpr std::string_view kLogoEntries[] = {
    "Not Print Logo", "Print Logo1", "Print Logo2", "Print Logo3", "Print Logo4",
    "Print Logo5",    "Print Logo6", "Print Logo7", "Print Logo8", "Print Logo9",
};

inline constexpr int kMaxPaperFeed = 100;       // millimetres
inline constexpr int kPaperFeedEditLimit = 3;   // characters
// The command text the dialog reads: the 128 bytes a command holds take 384 characters.
inline constexpr int kCommandTextLimit = 399;
// "Default" opens both drawers on Start of Document ("Cash Drawer #1+#2 Waiting 60ms").
inline constexpr int kDefaultStartDocumentDrawer = 12;
inline constexpr int kPartialCut = 1;
// What a person may type into the command edit without Ctrl: hex digits, space, '-', '.' and
// backspace.
inline constexpr std::u16string_view kCommandTypingAllowed = u"0123456789abcdefABCDEF -.\b";

// "Start Document Operation", "Start Page Operation", "End Page Operation" or
// "End Document Operation".
std::string_view OperationDialogTitle(OperationMoment moment);

// The paper feed in a feed text: its number (after leading spaces, with an optional sign), at
// most 100 and at least 0; none when the text holds no digit to read, such as an emptied edit.
std::optional<int> PaperFeedFromText(std::u16string_view text);

}  // namespace plugin
