// The operation dialog: shows one moment's block, keeps its controls consistent while the person
// edits, resets them to the moment's defaults and stores them on OK.
#include "plugin/pages/OperationDialog.h"

#include <algorithm>
#include <span>
#include <string>

#include "platform/win_constants.h"
#include "plugin/commands/CommandHex.h"
#include "plugin/pages/OperationOptions.h"

namespace plugin {

namespace {

template <std::size_t N>
void FillList(plat::DialogWindow& window, int id, const std::string_view (&entries)[N]) {
    window.ResetList(id);
    for (std::string_view entry : entries) window.AddListItem(id, entry);
}

// The chosen entry's index; the stored value stays when the list shows no choice (a block from
// elsewhere may hold an index past the list's end), rather than storing -1 as 255.
std::uint8_t ChosenIndex(plat::DialogWindow& window, int id, std::uint8_t stored) {
    const int chosen = window.GetListSelection(id);
    return chosen < 0 ? stored : static_cast<std::uint8_t>(chosen);
}

bool IsLogo(int logoIndex) { return logoIndex >= 1 && logoIndex < static_cast<int>(std::size(kLogoEntries)); }

}  // namespace

bool OperationDialog::OnInitDialog(plat::DialogWindow& window) {
    window.SetEditCharFilter(IDC_OPERATION_COMMAND, kCommandTypingAllowed);
    window.SetEditLimit(IDC_OPERATION_COMMAND, kCommandTextLimit);
    // A length byte from elsewhere may claim more than the 128 bytes a block holds.
    const std::size_t length = std::min<std::size_t>(block_.commandLength, kCommandCapacity);
    window.SetItemTextW(IDC_OPERATION_COMMAND,
                        FormatCommandHex(std::span(block_.command.data(), length)));
    window.SetTitle(OperationDialogTitle(moment_));

    window.CheckButton(IDC_OPERATION_SEND_COMMAND, block_.sendCommand != 0);
    window.EnableItem(IDC_OPERATION_COMMAND, block_.sendCommand != 0);
    window.CheckButton(IDC_OPERATION_FEED_BEFORE_CUT, block_.feedBeforeCut != 0);

    FillLists(window);
    window.SetListSelection(IDC_OPERATION_DRAWER, block_.cashDrawer);
    window.SetListSelection(IDC_OPERATION_BUZZER_ENABLE, block_.buzzerEnable);
    window.SetListSelection(IDC_OPERATION_BEEP, block_.beep);
    window.SetListSelection(IDC_OPERATION_CUT, block_.paperCut);
    window.SetListSelection(IDC_OPERATION_LOGO, block_.logo);
    window.SetEditLimit(IDC_OPERATION_FEED, kPaperFeedEditLimit);
    window.SetRange(IDC_OPERATION_FEED_UPDOWN, 0, kMaxPaperFeed);
    ShowFeed(window, std::min<int>(block_.paperFeed, kMaxPaperFeed));

    ChooseDrawerOrBuzzer(window, block_.drawerOrBuzzer == 0);
    CheckAlignment(window, block_.logoAlignment);
    CheckPosition(window, block_.logoPosition);
    EnableLogoPlacement(window, IsLogo(block_.logo));
    return true;
}

bool OperationDialog::OnCommand(plat::DialogWindow& window, int id, int code) {
    switch (id) {
        case IDC_OPERATION_SEND_COMMAND:
            if (code != plat::kButtonClicked) return false;
            window.EnableItem(IDC_OPERATION_COMMAND, window.IsButtonChecked(IDC_OPERATION_SEND_COMMAND));
            return true;
        case IDC_OPERATION_OPEN_DRAWER:
        case IDC_OPERATION_HERALD:
            if (code != plat::kButtonClicked) return false;
            ChooseDrawerOrBuzzer(window, id == IDC_OPERATION_OPEN_DRAWER);
            return true;
        case IDC_OPERATION_FEED: {
            if (code != plat::kEditChange) return false;
            // The up-down follows the typed number. It is moved only when it differs, because
            // on Windows it writes its position back into the edit, which reports a change again.
            const auto typed = PaperFeedFromText(window.GetItemTextW(IDC_OPERATION_FEED));
            if (typed && window.GetPosition(IDC_OPERATION_FEED_UPDOWN) != *typed)
                window.SetPosition(IDC_OPERATION_FEED_UPDOWN, *typed);
            return true;
        }
        case IDC_OPERATION_LOGO:
            if (code != plat::kComboSelChange) return false;
            EnableLogoPlacement(window, IsLogo(window.GetListSelection(IDC_OPERATION_LOGO)));
            return true;
        case IDC_OPERATION_DEFAULT:
            if (code != plat::kButtonClicked) return false;
            ShowDefaults(window);
            return true;
        case IDOK:
            if (code != plat::kButtonClicked) return false;
            if (Store(window)) window.EndDialog(IDOK);
            return true;
        default:
            return false;  // IDCANCEL ends the dialog without storing
    }
}

void OperationDialog::FillLists(plat::DialogWindow& window) {
    FillList(window, IDC_OPERATION_DRAWER, kCashDrawerEntries);
    FillList(window, IDC_OPERATION_BUZZER_ENABLE, kBuzzerEnableEntries);
    FillList(window, IDC_OPERATION_BEEP, kBeepEntries);
    FillList(window, IDC_OPERATION_CUT, kPaperCutEntries);
    FillList(window, IDC_OPERATION_LOGO, kLogoEntries);
}

void OperationDialog::ShowFeed(plat::DialogWindow& window, int millimetres) {
    window.SetItemText(IDC_OPERATION_FEED, std::to_string(millimetres));
    window.SetPosition(IDC_OPERATION_FEED_UPDOWN, millimetres);
}

void OperationDialog::ChooseDrawerOrBuzzer(plat::DialogWindow& window, bool drawer) {
    window.CheckButton(IDC_OPERATION_OPEN_DRAWER, drawer);
    window.CheckButton(IDC_OPERATION_HERALD, !drawer);
    window.EnableItem(IDC_OPERATION_DRAWER, drawer);
    window.EnableItem(IDC_OPERATION_BUZZER_ENABLE, !drawer);
}

void OperationDialog::EnableLogoPlacement(plat::DialogWindow& window, bool enabled) {
    for (int id : {IDC_OPERATION_ALIGN_LEFT, IDC_OPERATION_ALIGN_CENTERED, IDC_OPERATION_ALIGN_RIGHT,
                   IDC_OPERATION_BEFORE_CUT, IDC_OPERATION_AFTER_CUT})
        window.EnableItem(id, enabled);
}

// Left 0, Centered 1, and Right for anything else, as OK reads the radios back.
void OperationDialog::CheckAlignment(plat::DialogWindow& window, int alignment) {
    window.CheckButton(IDC_OPERATION_ALIGN_LEFT, alignment == 0);
    window.CheckButton(IDC_OPERATION_ALIGN_CENTERED, alignment == 1);
    window.CheckButton(IDC_OPERATION_ALIGN_RIGHT, alignment != 0 && alignment != 1);
}

// Before Cut 0, After Cut anything else.
void OperationDialog::CheckPosition(plat::DialogWindow& window, int position) {
    window.CheckButton(IDC_OPERATION_BEFORE_CUT, position == 0);
    window.CheckButton(IDC_OPERATION_AFTER_CUT, position != 0);
}

void OperationDialog::ShowDefaults(plat::DialogWindow& window) {
    const bool endOfDocument = moment_ == OperationMoment::EndDocument;
    window.CheckButton(IDC_OPERATION_SEND_COMMAND, false);
    window.SetItemTextW(IDC_OPERATION_COMMAND, u"");
    window.EnableItem(IDC_OPERATION_COMMAND, false);
    // Only the end of a document feeds to the cutter and cuts by default.
    window.CheckButton(IDC_OPERATION_FEED_BEFORE_CUT, endOfDocument);
    window.SetListSelection(IDC_OPERATION_DRAWER, moment_ == OperationMoment::StartDocument
                                                      ? kDefaultStartDocumentDrawer
                                                      : 0);
    window.SetListSelection(IDC_OPERATION_BUZZER_ENABLE, 0);
    ChooseDrawerOrBuzzer(window, true);
    ShowFeed(window, 0);
    window.SetListSelection(IDC_OPERATION_CUT, endOfDocument ? kPartialCut : 0);
    window.SetListSelection(IDC_OPERATION_BEEP, 0);
    window.SetListSelection(IDC_OPERATION_LOGO, 0);
    EnableLogoPlacement(window, false);
    CheckAlignment(window, 0);
    CheckPosition(window, 0);
}

bool OperationDialog::Store(plat::DialogWindow& window) {
    OperationBlock next = block_;
    std::u16string text = window.GetItemTextW(IDC_OPERATION_COMMAND);
    if (text.size() > static_cast<std::size_t>(kCommandTextLimit)) text.resize(kCommandTextLimit);
    if (!StoreCommandHex(text, next.command, next.commandLength)) {
        window.MessageBox("Command length error", "Error", MB_OK);
        return false;
    }
    next.sendCommand = window.IsButtonChecked(IDC_OPERATION_SEND_COMMAND) ? 1 : 0;
    next.feedBeforeCut = window.IsButtonChecked(IDC_OPERATION_FEED_BEFORE_CUT) ? 1 : 0;
    next.cashDrawer = ChosenIndex(window, IDC_OPERATION_DRAWER, next.cashDrawer);
    next.paperCut = ChosenIndex(window, IDC_OPERATION_CUT, next.paperCut);
    next.paperFeed = static_cast<std::uint8_t>(
        PaperFeedFromText(window.GetItemTextW(IDC_OPERATION_FEED)).value_or(0));
    next.reservedBuzzer = 0;
    next.drawerOrBuzzer = window.IsButtonChecked(IDC_OPERATION_OPEN_DRAWER) ? 0 : 1;
    next.buzzerEnable = ChosenIndex(window, IDC_OPERATION_BUZZER_ENABLE, next.buzzerEnable);
    next.beep = ChosenIndex(window, IDC_OPERATION_BEEP, next.beep);
    next.logo = ChosenIndex(window, IDC_OPERATION_LOGO, next.logo);
    next.logoAlignment = window.IsButtonChecked(IDC_OPERATION_ALIGN_LEFT)       ? 0
                         : window.IsButtonChecked(IDC_OPERATION_ALIGN_CENTERED) ? 1
                                                                                : 2;
    next.logoPosition = window.IsButtonChecked(IDC_OPERATION_BEFORE_CUT) ? 0 : 1;
    block_ = next;
    return true;
}

}  // namespace plugin
