// A property sheet on the simulated machine, as PropertySheetW shows one: a modal window titled
// with the caption, one tab per page, OK, Cancel and Apply. Pages are made when first shown
// and hear the sheet's notifications in comctl32's order; the automation script switches tabs
// (`tab CAPTION`) and presses the buttons (`click IDOK`, `click IDCANCEL`, `apply`).
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog.h"
#include "platform/property_sheet.h"

namespace sim {

class DialogHost;
class SimDialogWindow;

// The sheet's own controls, with comctl32's ids.
inline constexpr int kSheetTabControlId = 0x3020;   // the tabs
inline constexpr int kSheetApplyButtonId = 0x3021;  // "Apply" (ID_APPLY_NOW)

// The sheet frame's logic: it keeps the pages, makes them on first display and sends them the
// notifications.
class SimPropertySheet final : public plat::DialogLogic {
public:
    struct Page {
        plat::SheetPage source;
        std::string tabText;  // in the system code page
    };

    SimPropertySheet(DialogHost& host, std::vector<Page> pages, int startPage);
    ~SimPropertySheet() override;

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

    // A click on tab `index`: the current page may refuse to be left (PSN_KILLACTIVE), then
    // the new one is made if need be, activated (PSN_SETACTIVE) and shown.
    void SelectTab(int index);
    // PSM_CHANGED / PSM_UNCHANGED from a page: Apply is enabled while a page holds changes.
    void PageChanged(SimDialogWindow& page, bool changed);

    int current() const { return current_; }
    const std::vector<std::string>& tabTexts() const { return tabTexts_; }

private:
    struct Slot;
    SimDialogWindow* Window(int index);
    std::intptr_t Notify(int index, int code);
    // Makes the page's window (WM_INITDIALOG) when it has none yet.
    SimDialogWindow& Create(int index);
    // Shows page `index` in place of the current one, without notifications.
    void Display(int index);
    // PSN_KILLACTIVE to the current page, then PSN_APPLY to every page made; false when a page
    // refused. After Apply (not OK) the current page is activated again, as comctl32 does.
    bool ApplyPages(bool closing);
    void UpdateApplyButton();

    DialogHost& host_;
    std::vector<Slot> slots_;
    std::vector<std::string> tabTexts_;
    SimDialogWindow* frame_ = nullptr;
    int current_ = 0;
};

// PropertySheetW with PSH_PROPSHEETPAGE over the records: IDOK when closed with OK, IDCANCEL
// otherwise, -1 when there is no page or a record names no template its module has.
int RunSimPropertySheet(DialogHost& host, std::u16string_view caption,
                        std::span<const plat::PROPSHEETPAGEW> pages, int startPage);

}  // namespace sim
