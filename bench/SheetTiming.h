// When the simulator's driver-UI host calls DocumentPropertySheets, when that call returns, when
// the sheet is shown and when each page handles WM_INITDIALOG. The host itself is unchanged: its
// report and its Dialogs are decorated, and each page record's logic is wrapped before the
// simulated sheet sees the record.
#pragma once
#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/property_page.h"
#include "platform/property_sheet.h"
#include "tools/driverui/HostReport.h"

namespace bench {

using Clock = std::chrono::steady_clock;

struct SheetTimes {
    Clock::time_point beforeCall;    // the host's last line before DocumentPropertySheets written
    Clock::time_point callReturned;  // DocumentPropertySheets(PROPSHEETUI_REASON_INIT) returned
    Clock::time_point sheetShown;    // the host called PropertySheetW
    Clock::time_point lastPageInit;  // the latest page's WM_INITDIALOG handled
    Clock::duration insidePageInits{};  // the pages' own WM_INITDIALOG handling, added up
    std::size_t pages = 0;              // the sheet's pages
    std::size_t pagesInitialised = 0;
    std::vector<std::string> tabTexts;  // as the sheet's tabs show them
};

// Passes every line on and notes the moments around DocumentPropertySheets(INIT): the host
// writes "CommonUIProp(...)" right before that call and its result line right after it.
class TimedReport final : public driverui::HostReport {
public:
    TimedReport(driverui::HostReport& inner, SheetTimes& times) : inner_(inner), times_(times) {}
    void Line(const std::string& text) override;

private:
    driverui::HostReport& inner_;
    SheetTimes& times_;
};

// Shows the sheet through the platform's Dialogs with every page's logic wrapped, so each
// page's WM_INITDIALOG is timed.
class TimedDialogs final : public plat::Dialogs {
public:
    TimedDialogs(plat::Dialogs& inner, SheetTimes& times) : inner_(inner), times_(times) {}
    ~TimedDialogs() override;

    int RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) override {
        return inner_.RunModal(module, templateId, logic);
    }
    int RunPropertySheet(std::u16string_view caption, std::span<const plat::PROPSHEETPAGEW> pages,
                         int startPage) override;

private:
    plat::Dialogs& inner_;
    SheetTimes& times_;
    std::vector<std::unique_ptr<plat::PropertyPageLogic>> wrappers_;
};

}  // namespace bench
