// The installer's window: About item, icons, the operation, the log and error reports.
#include "install/InstallerWindow.h"

#include "install/ErrorReport.h"
#include "install/SourceDirectory.h"
#include "install/resource.h"
#include "platform/win_constants.h"

namespace install {

namespace {

// Caption of the error reports: the program's name.
constexpr const char* kReportCaption = "Install";

}  // namespace

bool InstallerWindow::OnInitDialog(plat::DialogWindow& window) {
    window_ = &window;
    std::string about = window.LoadStringResource(IDS_ABOUTBOX);
    if (!about.empty()) window.AppendSystemMenuItem(IDM_ABOUTBOX, about);
    window.SetIcons();
    sourceDirectory_ = SourceDirectory(platform_.files());
    // The window exists (and carries its title) for the whole operation and the wait after it;
    // it closes before its modal loop would start, so it never waits for the user.
    RunOperation(window);
    platform_.system().Sleep(kLingerMilliseconds);
    window.EndDialog(IDOK);
    return true;
}

void InstallerWindow::RunOperation(plat::DialogWindow& window) {
    OperationContext context{platform_, window.Ref(), sourceDirectory_, *this};
    if (operation_) operation_(context);
}

bool InstallerWindow::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id != IDC_INSTALL || code != plat::kButtonClicked) return false;
    RunOperation(window);
    return true;
}

bool InstallerWindow::OnSysCommand(plat::DialogWindow& window, int command) {
    // The system keeps the low four bits of a command: 16 to 31 all mean About.
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    plat::DialogLogic about;  // the box shows its template as it is
    window.RunModalChild(IDD_ABOUTBOX, about);
    return true;
}

bool InstallerWindow::OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) {
    if (!window.IsMinimized()) return false;
    canvas.DrawIconCentred();
    return true;
}

void InstallerWindow::OnDestroy(plat::DialogWindow&) { window_ = nullptr; }

void InstallerWindow::Append(std::string_view text) {
    if (window_) window_->InsertEditText(IDC_LOG, text);
}

void InstallerWindow::ReportError(const char* operation, std::uint32_t code) {
    std::string text = FormatErrorReport(platform_.system(), operation, code);
    if (window_) window_->MessageBox(text, kReportCaption, MB_OK);
}

int RunInstallerWindow(plat::Platform& platform, Operation operation) {
    InstallerWindow window(platform, std::move(operation));
    return platform.dialogs().RunModal(IDD_INSTALLER, window);
}

}  // namespace install
