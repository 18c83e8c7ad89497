// The wizard frame: page switching, Back, Next/Install, Cancel, About and F1.
#include "setup/WizardFrame.h"

#include "platform/win_constants.h"
#include "setup/AboutDialog.h"
#include "setup/HelpGuide.h"
#include "package/OsDetection.h"
#include "package/PackageConfig.h"
#include "setup/resource.h"

namespace setup {

WizardFrame::WizardFrame(const WizardContext& context, InstallEngine& engine)
    : context_(context),
      engine_(engine),
      licensePage_(context, *this),
      modelPage_(context),
      modePage_(context),
      osPage_(context),
      portPage_(context) {
    pages_.push_back({&licensePage_, IDD_LICENSE_PAGE, nullptr});
    pages_.push_back({&modelPage_, IDD_MODEL_PAGE, nullptr});
    pages_.push_back({&modePage_, IDD_MODE_PAGE, nullptr});
    pages_.push_back({&osPage_, IDD_OS_PAGE, nullptr});
    pages_.push_back({&portPage_, IDD_PORT_PAGE, nullptr});
}

bool WizardFrame::OnInitDialog(plat::DialogWindow& window) {
    window_ = &window;
    window.AppendSystemMenuItem(IDM_ABOUTBOX, context_.messages.Get("IDS_ABOUTBOX"));
    window.SetIcons();
    ApplyFontMode(context_, window);

    for (Page& page : pages_) {
        page.window = window.CreateChildPage(page.templateId, *page.logic, IDC_PAGE_PLACEHOLDER);
        // A page without its window cannot be shown; the agreement page cancels the wizard
        // itself when License.txt is missing. Either way the program ends here.
        if (!page.window) CancelWizard();
        if (cancelled_) return true;
    }

    if (context_.agreementOn) {
        SetActivePage(kLicense);
    } else {
        EnableNext(true);
        SetActivePage(kModel);
    }

    pkg::LanguageText texts(context_.platform, "Setup");
    window.SetItemText(IDC_BACK, texts.Get("Back"));
    window.SetItemText(IDOK, texts.Get(pages_.size() < 2 ? "Install" : "Next"));
    window.SetItemText(IDCANCEL, texts.Get("Cancel"));

    sidePicture_ = window.LoadBitmapFile("DRVCONFIG\\Left.bmp");
    if (sidePicture_ == 0) {
        ShowMessageKey(context_, window, "IDS_ERR_NOLEFT");
        CancelWizard();
        return true;
    }
    if (!CheckAdministrator()) CancelWizard();
    return true;
}

bool WizardFrame::CheckAdministrator() {
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
        Page& page = pages_[from];
        if (!page.logic->SaveData(*page.window)) return false;
        page.window->Show(false);
    }
    if (from == kMode && index < kMode) baudPreselection_ = true;
    if (from == kLicense) EnableNext(pages_[index].logic->HasModels());
    if (index > from && from == kModel) ApplyModelRules();
    if (index > from && from == kOs && !PassOsGate()) {
        pages_[from].window->Show(true);
        return false;
    }
    current_ = index;
    pages_[index].window->Show(true);
    return true;
}

void WizardFrame::ApplyModelRules() {
    pkg::PackageConfig config(context_.platform, context_.is64Bit);
    portSection_ = MakePortSection(config.SeriesFilePath(modelPage_.seriesIndex()),
                                   modelPage_.modelName());
    modePage_.ApplyAdvancedSetup(PageWindow(kMode),
                                 AdvancedSetupAllowed(context_.platform, portSection_));
}

bool WizardFrame::PassOsGate() {
    OsSupport support = ReadOsSupport(context_.platform, portSection_);
    if (baudPreselection_) {
        portPage_.PreselectBaudRate(PageWindow(kPort),
                                    ReadBaudRate(context_.platform, portSection_));
        baudPreselection_ = false;
    }
    if (const char* refusal = OsRefusalKey(osPage_.osIndex(), support)) {
        ShowMessageKey(context_, *window_, refusal);
        return false;
    }
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
        if (!context_.agreementOn && current_ == kModel) {
            window.EnableItem(IDC_BACK, false);
            window.SetFocus(IDOK);
        }
    }
    if (current_ <= 0) {
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
            if (osPage_.vietnameseFonts()) engine_.InstallVietnameseFonts();
            engine_.FillPortList(portPage_, PageWindow(kPort), choices_);
            window.SetItemText(IDOK, pkg::LanguageText(context_.platform, "Setup").Get("Install"));
        }
        window.EnableItem(IDC_BACK, true);
        window.SetFocus(IDOK);
        return;
    }
    // Install: every page's controls into its data, then the installation.
    for (Page& page : pages_) page.logic->SaveData(*page.window);
    CollectChoices();
    if (engine_.InstallAction(window, choices_) == InstallEngine::Outcome::Finished) {
        installationRan_ = true;
        window.EndDialog(IDOK);
    }
}

void WizardFrame::CollectChoices() {
    pkg::PackageConfig config(context_.platform, context_.is64Bit);
    choices_.seriesIndex = modelPage_.seriesIndex();
    choices_.modelName = modelPage_.modelName();
    choices_.defaultPrinter = modelPage_.defaultPrinter();
    choices_.setupIniPath = config.setupIniPath();
    choices_.seriesFilePath = config.SeriesFilePath(choices_.seriesIndex);
    choices_.typical = modePage_.typical();
    choices_.osIndex = osPage_.osIndex();
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
    for (Page& page : pages_) page.window.reset();
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
