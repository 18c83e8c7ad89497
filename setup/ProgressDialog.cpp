// The progress dialog's animation and its painted wait text.
#include "setup/ProgressDialog.h"

#include "platform/win_constants.h"
#include "package/LanguageText.h"
#include "setup/WizardContext.h"
#include "setup/resource.h"

namespace setup {

ProgressDialog::ProgressDialog(plat::Platform& platform, plat::SystemInfo& clock,
                               const InstallStatus& status, bool gb2312Font)
    : platform_(platform), clock_(clock), status_(status), gb2312Font_(gb2312Font) {}

bool ProgressDialog::OnInitDialog(plat::DialogWindow& window) {
    if (gb2312Font_) window.SetFontAll(pkg::Gb2312FontSpec());
    window.SetRange(IDC_PROGRESS_BAR, 0, 100);
    window.SetTimer(kTimerId, kTimerPeriodMs);
    return true;
}

void ProgressDialog::OnTimer(plat::DialogWindow& window, int timerId) {
    // The first tick runs the animation to its end; the timer keeps running, but the dialog
    // ends with the animation, so no later tick starts another.
    if (timerId != kTimerId || animating_) return;
    animating_ = true;
    Animate(window);
}

void ProgressDialog::Animate(plat::DialogWindow& window) {
    int n = 0;
    for (;;) {
        int status = status_.load();
        if (status == kInstallFailed) {
            for (; n >= 1; --n) {
                window.SetPosition(IDC_PROGRESS_BAR, n);
                clock_.Sleep(kStepMs);
            }
            window.SetPosition(IDC_PROGRESS_BAR, 0);
            clock_.Sleep(kFinalWaitMs);
            break;
        }
        if (status == kInstallSucceeded) {
            // Success stops at 99: the bar never reads as full.
            for (; n <= 99; ++n) {
                window.SetPosition(IDC_PROGRESS_BAR, n);
                clock_.Sleep(kStepMs);
            }
            clock_.Sleep(kFinalWaitMs);
            break;
        }
        if (n > kClimbLimit) n = kClimbLimit;
        window.SetPosition(IDC_PROGRESS_BAR, n);
        clock_.Sleep(kClimbWaitMs);
        ++n;
    }
    window.EndDialog(IDOK);
}

bool ProgressDialog::OnPaint(plat::DialogWindow&, plat::Canvas& canvas) {
    plat::Rect client = canvas.ClientRect();
    plat::Rect textBox = client;
    textBox.bottom = client.top + (client.bottom - client.top) * 2 / 3;
    plat::FontSpec font;
    font.height = 20;
    font.weight = plat::kFontWeightBold;
    font.charSet = 1;  // DEFAULT_CHARSET: the wait text may be in the system's double-byte code page
    font.face = "System";
    constexpr std::uint32_t kDarkBlue = 0x993300;  // RGB(0, 51, 153) as COLORREF 0x00BBGGRR
    canvas.DrawCentredText(textBox, pkg::LanguageText(platform_, "Progress").Get("Wait"), font,
                           kDarkBlue);
    return true;
}

}  // namespace setup
