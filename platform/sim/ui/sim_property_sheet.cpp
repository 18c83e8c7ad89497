// A simulated property sheet: the frame, its tabs and buttons, and the pages' notifications in
// the order comctl32 sends them.
#include "platform/sim/ui/sim_property_sheet.h"

#include <algorithm>

#include "platform/property_page.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/sim/ui/sim_dialog_window.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr std::uint32_t kChildVisible = 0x50000000u;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kTabStop = 0x00010000u;       // WS_TABSTOP
constexpr std::uint32_t kDisabled = 0x08000000u;      // WS_DISABLED
constexpr std::uint32_t kDefPushButton = 0x1u;        // BS_DEFPUSHBUTTON

// A page whose record carries no logic of ours: it shows its template and answers every
// notification as a page that handles nothing.
class InertPage final : public plat::PropertyPageLogic {};

// The code-page form of a UTF-16 caption: ASCII as it is, anything else '?', as the narrow
// text of SetItemTextW.
std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::u16string_view RecordText(const char16_t* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

RcControl Button(int id, const char* idName, const char* text, std::uint32_t style, int x, int y) {
    RcControl c;
    c.id = id;
    c.idName = idName;
    c.className = "Button";
    c.text = text;
    c.style = kChildVisible | kTabStop | style;
    c.x = x;
    c.y = y;
    c.cx = 50;
    c.cy = 14;
    return c;
}

// The frame comctl32 builds around the pages: the tabs as large as the largest page, and OK,
// Cancel and Apply (disabled until a page reports a change) below them on the right.
RcDialog SheetFrame(const std::string& caption, int pageWidth, int pageHeight) {
    RcDialog frame;
    frame.caption = caption;
    RcControl tabs;
    tabs.id = kSheetTabControlId;
    tabs.className = "SysTabControl32";
    tabs.style = kChildVisible | kTabStop;
    tabs.x = 4;
    tabs.y = 4;
    tabs.cx = pageWidth + 8;
    tabs.cy = pageHeight + 18;
    frame.controls.push_back(tabs);
    const int row = tabs.y + tabs.cy + 6;
    const int right = tabs.x + tabs.cx;
    frame.controls.push_back(Button(IDOK, "IDOK", "OK", kDefPushButton, right - 162, row));
    frame.controls.push_back(Button(IDCANCEL, "IDCANCEL", "Cancel", 0, right - 108, row));
    frame.controls.push_back(Button(kSheetApplyButtonId, "", "&Apply", kDisabled, right - 54, row));
    frame.cx = right + 4;
    frame.cy = row + 14 + 6;
    return frame;
}

}  // namespace

struct SimPropertySheet::Slot {
    plat::SheetPage source;
    std::unique_ptr<plat::PropertyPageLogic> inert;  // for a record without logic
    std::unique_ptr<plat::DialogWindow> window;      // made on first display
    bool changed = false;                            // PSM_CHANGED not yet applied
};

SimPropertySheet::SimPropertySheet(DialogHost& host, std::vector<Page> pages, int startPage)
    : host_(host) {
    for (Page& page : pages) {
        Slot slot;
        slot.source = page.source;
        if (!slot.source.logic) {
            slot.inert = std::make_unique<InertPage>();
            slot.source.logic = slot.inert.get();
        }
        slots_.push_back(std::move(slot));
        tabTexts_.push_back(std::move(page.tabText));
    }
    // comctl32 starts on the first page when the start page is out of range.
    current_ = startPage >= 0 && startPage < static_cast<int>(slots_.size()) ? startPage : 0;
}

SimPropertySheet::~SimPropertySheet() = default;

SimDialogWindow* SimPropertySheet::Window(int index) {
    return static_cast<SimDialogWindow*>(slots_[static_cast<size_t>(index)].window.get());
}

std::intptr_t SimPropertySheet::Notify(int index, int code) {
    // The sheet is the sender (NMHDR idFrom 0).
    return Window(index)->Notify(0, code);
}

SimDialogWindow& SimPropertySheet::Create(int index) {
    Slot& slot = slots_[static_cast<size_t>(index)];
    if (!slot.window) {
        slot.window = host_.CreatePage(slot.source.module, slot.source.templateId,
                                       *slot.source.logic, *frame_, kSheetTabControlId);
        // RunSimPropertySheet checked every template before the sheet opened.
        if (!slot.window)
            host_.Fail("simulator error: the property sheet lost the template of page " +
                       std::to_string(slot.source.templateId));
        slot.changed = Window(index)->pageChanged();
        UpdateApplyButton();
    }
    return *Window(index);
}

bool SimPropertySheet::OnInitDialog(plat::DialogWindow& window) {
    frame_ = &static_cast<SimDialogWindow&>(window);
    frame_->AttachSheet(this);
    SimControl* tabs = frame_->Find(kSheetTabControlId);
    tabs->items = tabTexts_;
    tabs->selection = current_;
    // The start page is made, activated and shown as the sheet opens.
    SimDialogWindow& page = Create(current_);
    Notify(current_, plat::kPsnSetActive);
    page.Show(true);
    return true;
}

void SimPropertySheet::Display(int index) {
    if (index == current_) return;
    SimDialogWindow& page = Create(index);
    page.Show(true);
    if (SimDialogWindow* old = Window(current_)) old->Show(false);
    current_ = index;
    frame_->Find(kSheetTabControlId)->selection = index;
}

void SimPropertySheet::SelectTab(int index) {
    if (index == current_) return;
    // A true answer keeps the user on the page, which has said why.
    if (Notify(current_, plat::kPsnKillActive) != 0) return;
    Create(index);
    // -1 refuses the activation; the user stays where they were.
    if (Notify(index, plat::kPsnSetActive) == -1) return;
    Display(index);
}

bool SimPropertySheet::ApplyPages(bool closing) {
    if (Notify(current_, plat::kPsnKillActive) != 0) return false;
    for (int i = 0; i < static_cast<int>(slots_.size()); ++i) {
        if (!Window(i)) continue;  // never shown: nothing to store
        switch (static_cast<plat::ApplyResult>(Notify(i, plat::kPsnApply))) {
            case plat::ApplyResult::kRefused:
                Display(i);  // the refusing page is shown, without notifications
                return false;
            case plat::ApplyResult::kRefusedStayOnCurrent:
                return false;
            case plat::ApplyResult::kAccepted:
                break;
        }
    }
    if (!closing) Notify(current_, plat::kPsnSetActive);
    return true;
}

bool SimPropertySheet::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    switch (id) {
        case IDOK:
            if (ApplyPages(true)) window.EndDialog(IDOK);
            return true;
        case IDCANCEL:
            // The current page may keep the sheet open (PSN_QUERYCANCEL answered TRUE); then
            // every page made hears PSN_RESET.
            if (Window(current_) && Notify(current_, plat::kPsnQueryCancel) != 0) return true;
            for (int i = 0; i < static_cast<int>(slots_.size()); ++i)
                if (Window(i)) Notify(i, plat::kPsnReset);
            window.EndDialog(IDCANCEL);
            return true;
        case kSheetApplyButtonId:
            if (ApplyPages(false)) {
                // Everything is stored: no page holds changes, and Apply waits for the next.
                for (Slot& slot : slots_) slot.changed = false;
                UpdateApplyButton();
            }
            return true;
        default:
            return false;
    }
}

void SimPropertySheet::PageChanged(SimDialogWindow& page, bool changed) {
    // A page that reports while it initialises has no slot yet; Create reads its state after.
    for (Slot& slot : slots_)
        if (slot.window.get() == &page) slot.changed = changed;
    UpdateApplyButton();
}

void SimPropertySheet::UpdateApplyButton() {
    bool any = false;
    for (const Slot& slot : slots_) any = any || slot.changed;
    frame_->EnableItem(kSheetApplyButtonId, any);
}

int RunSimPropertySheet(DialogHost& host, std::u16string_view caption,
                        std::span<const plat::PROPSHEETPAGEW> records, int startPage) {
    if (records.empty()) return -1;
    std::vector<SimPropertySheet::Page> pages;
    int width = 0, height = 0;
    for (const plat::PROPSHEETPAGEW& record : records) {
        SimPropertySheet::Page page;
        page.source = plat::PageOfRecord(record);
        // CreatePropertySheetPageW fails for a template the module lacks, and so the sheet.
        const RcDialog* source = host.resources(page.source.module).FindDialog(page.source.templateId);
        if (!source) return -1;
        page.tabText = source->caption;
        if (record.dwFlags & plat::kPspUseTitle) {
            const auto title = reinterpret_cast<std::uintptr_t>(record.pszTitle);
            if (title > 0 && title < 0x10000) {  // a string resource of the module
                const auto& strings = host.resources(page.source.module).strings;
                auto it = strings.find(static_cast<int>(title));
                page.tabText = it != strings.end() ? it->second : std::string();
            } else {
                page.tabText = Narrow(RecordText(record.pszTitle));
            }
        }
        width = std::max(width, source->cx);
        height = std::max(height, source->cy);
        pages.push_back(std::move(page));
    }
    SimPropertySheet sheet(host, std::move(pages), startPage);
    const RcDialog frame = SheetFrame(Narrow(caption), width, height);
    return host.RunModal(plat::ProgramModule(), frame, sheet, nullptr) == IDOK ? IDOK : IDCANCEL;
}

}  // namespace sim
