// The timing decorators of the document sheet.
#include "SheetTiming.h"

#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/resource_table.h"
#include "tools/driverui/CallText.h"

namespace bench {

namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// A page's logic with its WM_INITDIALOG timed; every other message goes to the page as it is.
class TimedPage final : public plat::PropertyPageLogic {
public:
    TimedPage(plat::PropertyPageLogic& inner, SheetTimes& times) : inner_(inner), times_(times) {}

    bool OnInitDialog(plat::DialogWindow& w) override {
        const Clock::time_point start = Clock::now();
        const bool result = inner_.OnInitDialog(w);
        times_.lastPageInit = Clock::now();
        times_.insidePageInits += times_.lastPageInit - start;
        ++times_.pagesInitialised;
        return result;
    }
    void OnShowWindow(plat::DialogWindow& w, bool shown) override { inner_.OnShowWindow(w, shown); }
    bool OnCommand(plat::DialogWindow& w, int id, int code) override {
        return inner_.OnCommand(w, id, code);
    }
    bool OnSysCommand(plat::DialogWindow& w, int command) override {
        return inner_.OnSysCommand(w, command);
    }
    void OnTimer(plat::DialogWindow& w, int timerId) override { inner_.OnTimer(w, timerId); }
    void OnHelp(plat::DialogWindow& w) override { inner_.OnHelp(w); }
    void OnScroll(plat::DialogWindow& w, int id, int code) override { inner_.OnScroll(w, id, code); }
    bool OnPaint(plat::DialogWindow& w, plat::Canvas& canvas) override {
        return inner_.OnPaint(w, canvas);
    }
    void OnDestroy(plat::DialogWindow& w) override { inner_.OnDestroy(w); }
    // The sheet's notifications arrive through the final OnNotify, which calls these.
    void OnSetActive(plat::DialogWindow& w) override { inner_.OnSetActive(w); }
    bool OnKillActive(plat::DialogWindow& w) override { return inner_.OnKillActive(w); }
    plat::ApplyResult OnApply(plat::DialogWindow& w) override { return inner_.OnApply(w); }
    bool OnQueryCancel(plat::DialogWindow& w) override { return inner_.OnQueryCancel(w); }
    void OnReset(plat::DialogWindow& w) override { inner_.OnReset(w); }
    void OnControlNotify(plat::DialogWindow& w, int id, int code) override {
        inner_.OnNotify(w, id, code);
    }

private:
    plat::PropertyPageLogic& inner_;
    SheetTimes& times_;
};

// The tab's text as the simulated sheet gives it: the record's title, else the template's caption.
std::string TabText(const plat::PROPSHEETPAGEW& record, const plat::SheetPage& page) {
    const auto title = reinterpret_cast<std::uintptr_t>(record.pszTitle);
    if ((record.dwFlags & plat::kPspUseTitle) && title >= 0x10000)
        return driverui::Narrow(record.pszTitle);
    std::string error;
    const sim::RcScript* script = sim::ModuleResources(page.module, error);
    const sim::RcDialog* dialog = script ? script->FindDialog(page.templateId) : nullptr;
    return dialog ? dialog->caption : std::string();
}

}  // namespace

void TimedReport::Line(const std::string& text) {
    if (StartsWith(text, "DocumentPropertySheets(PROPSHEETUI_REASON_INIT)"))
        times_.callReturned = Clock::now();
    inner_.Line(text);
    if (StartsWith(text, "CommonUIProp(")) times_.beforeCall = Clock::now();
}

TimedDialogs::~TimedDialogs() = default;

int TimedDialogs::RunPropertySheet(std::u16string_view caption,
                                   std::span<const plat::PROPSHEETPAGEW> pages, int startPage) {
    times_.sheetShown = Clock::now();
    times_.pages = pages.size();
    std::vector<plat::PROPSHEETPAGEW> records(pages.begin(), pages.end());
    for (plat::PROPSHEETPAGEW& record : records) {
        const plat::SheetPage page = plat::PageOfRecord(record);
        if (!page.logic) continue;  // a page without logic of the plug-in's: not timed
        wrappers_.push_back(std::make_unique<TimedPage>(*page.logic, times_));
        record.lParam = reinterpret_cast<std::intptr_t>(wrappers_.back().get());
    }
    const int closed = inner_.RunPropertySheet(caption, records, startPage);
    // Looked up after the sheet closed, so the lookup is not part of the timed sheet.
    for (const plat::PROPSHEETPAGEW& record : pages)
        times_.tabTexts.push_back(TabText(record, plat::PageOfRecord(record)));
    return closed;
}

}  // namespace bench
