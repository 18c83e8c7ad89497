// The wizard frame: page switching, Back, Next/Install, Cancel, About and F1.
#include "setup/WizardFrame.h"

#include "platform/win_constants.h"
#include "setup/AboutDialog.h"
#include "setup/HelpGuide.h"
#include "package/OsDetection.h"
#include "setup/PortPage.h"
#include "setup/resource.h"

namespace setup {

WizardFrame::WizardFrame(const WizardContext& context, InstallEngine& engine)
    : context_(context), engine_(engine), pages_(context, *this) {}

int WizardFrame::FirstPage() const {
    const std::vector<WizardPageRow>& table = WizardPageTable();
    for (int i = 0; i < static_cast<int>(table.size()); ++i)
        if (context_.agreementOn || !table[i].agreementOnly) return i;
    return 0;
}

bool WizardFrame::OnInitDialog(plat::DialogWindow& window) {
    window_ = &window;
    window.AppendSystemMenuItem(IDM_ABOUTBOX, context_.messages.Get("IDS_ABOUTBOX"));
    window.SetIcons();
    ApplyFontMode(context_, window);

    for (WizardPages::Entry& page : pages_.entries()) {
        page.window =
            window.CreateChildPage(page.row->templateId, *page.logic, IDC_PAGE_PLACEHOLDER);
        // A page without its window cannot be shown; the agreement page cancels the wizard
        // itself when License.txt is missing. Either way the program ends here.
        if (!page.window) CancelWizard();
        if (cancelled_) return true;
    }

    // Without the agreement page nothing stands between the user and the first choice.
    if (!context_.agreementOn) EnableNext(true);
    SetActivePage(FirstPage());

    pkg::LanguageText texts(context_.platform, "Setup");
    window.SetItemText(IDC_BACK, texts.Get("Back"));
    window.SetItemText(IDOK, texts.Get(pages_.count() < 2 ? "Install" : "Next"));
    window.SetItemText(IDCANCEL, texts.Get("Cancel"));

    sidePicture_ = window.LoadBitmapFile("DRVCONFIG\\Left.bmp");
    if (sidePicture_ == 0) {
        ShowMessageKey(context_, window, "IDS_ERR_NOLEFT");
        CancelWizard();
        return true;
    }
    if (!CheckSystemAndAdministrator()) CancelWizard();
    return true;
}

bool WizardFrame::CheckSystemAndAdministrator() {
    pkg::DetectedOs os = pkg::DetectOs(context_.platform.system());
    if (os.unknownPlatform) ShowMessageKey(context_, *window_, "IDS_ERR_SYSTEM");
    if (os.needsAdministrator && !context_.platform.system().IsUserAdministrator()) {
        ShowMessageKey(context_, *window_, "IDS_ADMIN");
        return false;
    }
    return true;
}

void WizardFrame::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    pkg::LanguageText texts(context_.platform, "Setup");
    window.SetTitle(texts.Get("Caption"));
    window.SetItemText(IDC_HELP_HINT, texts.Get("Help"));
}

bool WizardFrame::SetActivePage(int index) {
    if (index < 0 || index > LastPage()) return false;
    int from = current_;
    if (from >= 0) {
        WizardPages::Entry& page = pages_[from];
        if (!page.logic->SaveData(*page.window)) return false;
        page.window->Show(false);
        if (LeaveRule rule = page.row->leave) {
            PageLeave leave{pages_, context_, *this, *window_, flow_, from, index};
            if (!rule(leave)) {
                page.window->Show(true);
                return false;
            }
        }
    }
    current_ = index;
    pages_[index].window->Show(true);
    return true;
}

bool WizardFrame::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    switch (id) {
    case IDC_BACK:
        Back();
        return true;
    case IDOK:
        // Enter reaches here too; a disabled Next (the agreement rejected) must not advance.
        if (window.IsItemEnabled(IDOK)) Next();
        return true;
    case IDCANCEL:
        window.EndDialog(IDCANCEL);
        return true;
    default:
        return false;
    }
}

void WizardFrame::Back() {
    plat::DialogWindow& window = *window_;
    if (current_ > 0) {
        window.SetItemText(IDOK, pkg::LanguageText(context_.platform, "Setup").Get("Next"));
        SetActivePage(current_ - 1);
    }
    if (current_ <= FirstPage()) {
        window.EnableItem(IDC_BACK, false);
        window.SetFocus(IDOK);
    }
    window.EnableItem(IDOK, true);
}

void WizardFrame::Next() {
    plat::DialogWindow& window = *window_;
    if (current_ != LastPage()) {
        SetActivePage(current_ + 1);
        if (current_ == LastPage()) {
            CollectChoices();
            if (choices_.vietnameseFonts) engine_.InstallVietnameseFonts();
            if (PortPage* port = pages_.Find<PortPage>())
                engine_.FillPortList(*port, *pages_.WindowOf<PortPage>(), choices_);
            window.SetItemText(IDOK, pkg::LanguageText(context_.platform, "Setup").Get("Install"));
        }
        window.EnableItem(IDC_BACK, true);
        window.SetFocus(IDOK);
        return;
    }
    // Install: every page's controls into its data, then the installation.
    for (WizardPages::Entry& page : pages_.entries()) page.logic->SaveData(*page.window);
    CollectChoices();
    if (engine_.InstallAction(window, choices_) == InstallEngine::Outcome::Finished) {
        installationRan_ = true;
        window.EndDialog(IDOK);
    }
}

void WizardFrame::CollectChoices() {
    for (WizardPages::Entry& page : pages_.entries()) page.logic->Collect(choices_);
    choices_.setupIniPath = context_.catalog.setupIniPath();
    choices_.seriesFilePath = context_.catalog.SeriesFilePath(choices_.seriesIndex);
}

bool WizardFrame::OnSysCommand(plat::DialogWindow& window, int command) {
    // The system keeps the low four bits of a command to itself: 16 to 31 all mean About.
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    AboutDialog about(context_.platform);
    window.RunModalChild(IDD_ABOUTBOX, about);
    return true;
}

void WizardFrame::OnHelp(plat::DialogWindow& window) {
    OpenHelpGuide(context_.platform, window.Ref());
}

bool WizardFrame::OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) {
    if (window.IsMinimized()) {
        canvas.DrawIconCentred();
        return true;
    }
    if (sidePicture_ == 0) return false;
    canvas.StretchBitmap(sidePicture_, window.ItemRect(IDC_SIDE_PICTURE));
    return true;
}

void WizardFrame::OnDestroy(plat::DialogWindow&) {
    for (WizardPages::Entry& page : pages_.entries()) page.window.reset();
    window_ = nullptr;
}

void WizardFrame::EnableNext(bool enabled) {
    if (window_) window_->EnableItem(IDOK, enabled);
}

void WizardFrame::CancelWizard() {
    cancelled_ = true;
    if (window_) window_->EndDialog(IDCANCEL);
}

}  // namespace setup
