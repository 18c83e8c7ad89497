// Property pages: the logic of one page of a property sheet and the sheet's notifications to it.
//
// A page is a dialog like any other (plat::DialogLogic), created by the property sheet from its
// template. The sheet tells it when it becomes current, when the user leaves it, when the
// settings are applied and when the sheet is cancelled, as WM_NOTIFY with the PSN_* codes;
// PropertyPageLogic turns those into the named events below and hands their answers back
// through DialogWindow::SetNotifyResult (DWLP_MSGRESULT on Windows).
#pragma once
#include <cstdint>

#include "platform/dialog.h"

namespace plat {

// The property sheet's notifications (WM_NOTIFY codes), with Windows' values. No common
// control uses codes of this range, so a page tells them apart by the code alone.
enum : int {
    kPsnSetActive = -200,   // PSN_SETACTIVE
    kPsnKillActive = -201,  // PSN_KILLACTIVE
    kPsnApply = -202,       // PSN_APPLY
    kPsnReset = -203,       // PSN_RESET
    kPsnQueryCancel = -209, // PSN_QUERYCANCEL
};

// A page's answer to PSN_APPLY (PSNRET_*), which the sheet acts on.
enum class ApplyResult : std::intptr_t {
    kAccepted = 0,              // PSNRET_NOERROR: stored; the sheet may close
    kRefused = 1,               // PSNRET_INVALID: not stored; the sheet shows this page
    kRefusedStayOnCurrent = 2,  // PSNRET_INVALID_NOCHANGEPAGE: not stored; the sheet stays put
};

// The answer to PSN_KILLACTIVE that keeps the user on the page (TRUE); FALSE lets them go.
inline constexpr std::intptr_t kKeepPageActive = 1;

class PropertyPageLogic : public DialogLogic {
public:
    // PSN_SETACTIVE: the page is about to become the sheet's current page.
    virtual void OnSetActive(DialogWindow& /*window*/) {}
    // PSN_KILLACTIVE: the user leaves the page (another tab, OK or Apply). Return false to keep
    // them on it, after telling them why; the sheet then neither switches nor applies.
    virtual bool OnKillActive(DialogWindow& /*window*/) { return true; }
    // PSN_APPLY: store what the page holds (OK or Apply).
    virtual ApplyResult OnApply(DialogWindow& /*window*/) { return ApplyResult::kAccepted; }
    // PSN_QUERYCANCEL, to the current page when the user cancels the sheet: false keeps the
    // sheet open.
    virtual bool OnQueryCancel(DialogWindow& /*window*/) { return true; }
    // PSN_RESET: the sheet is cancelled; the page drops what it holds.
    virtual void OnReset(DialogWindow& /*window*/) {}
    // Every other WM_NOTIFY: the page's own common controls, and sheet notifications that have
    // no event here. No answer is given unless the page sets one.
    virtual void OnControlNotify(DialogWindow& /*window*/, int /*id*/, int /*code*/) {}

    // Routes the sheet's notifications to the events above and answers each of them, so a
    // page never leaves the sheet reading a stale answer.
    void OnNotify(DialogWindow& window, int id, int code) final {
        switch (code) {
            case kPsnSetActive:
                OnSetActive(window);
                window.SetNotifyResult(0);  // accept the activation
                return;
            case kPsnKillActive:
                window.SetNotifyResult(OnKillActive(window) ? 0 : kKeepPageActive);
                return;
            case kPsnApply:
                window.SetNotifyResult(static_cast<std::intptr_t>(OnApply(window)));
                return;
            case kPsnQueryCancel:
                window.SetNotifyResult(OnQueryCancel(window) ? 0 : 1);
                return;
            case kPsnReset:
                OnReset(window);
                window.SetNotifyResult(0);
                return;
            default:
                OnControlNotify(window, id, code);
        }
    }

protected:
    // A control change altered a setting: the sheet enables Apply (PSM_CHANGED).
    static void MarkChanged(DialogWindow& window) { window.SetPageChanged(true); }
    // The page's settings are stored: the sheet may disable Apply again (PSM_UNCHANGED).
    static void MarkUnchanged(DialogWindow& window) { window.SetPageChanged(false); }
};

}  // namespace plat
