// The main window: start-up, the buttons, and applying the worker's events.
#include "uninstall/UninstallWindow.h"

#include <vector>

#include "common/window_titles.h"
#include "package/Gb2312Font.h"
#include "package/OsDetection.h"
#include "platform/win_constants.h"
#include "setup/engine/Redirection.h"
#include "setup/engine/RestartWindows.h"
#include "uninstall/Candidates.h"
#include "uninstall/RestartDialog.h"
#include "uninstall/UninstallAbout.h"
#include "uninstall/UninstallWorker.h"
#include "uninstall/resource.h"

namespace uninstall {

namespace {
constexpr std::size_t kPathSize = 260;
constexpr int kColumnWidth = 420;
}  // namespace

InventorySearch SearchInventory(plat::FileSystem& files, const std::string& directory) {
    std::vector<plat::FindData> entries;
    if (!files.FindFiles((directory + "\\*").c_str(), entries) || entries.empty())
        return InventorySearch::NoEntries;
    for (const plat::FindData& entry : entries) {
        // Read-only copies (a CD's files copied to disk) would otherwise stay so.
        files.SetFileAttributesA((directory + "\\" + entry.name).c_str(), FILE_ATTRIBUTE_ARCHIVE);
        if (entry.name.find("Uninstall.ini") != std::string::npos) return InventorySearch::Found;
    }
    return InventorySearch::NotFound;
}

UninstallWindow::UninstallWindow(plat::Platform& platform)
    : platform_(platform), texts_(platform) {}

UninstallWindow::~UninstallWindow() {
    if (worker_.joinable()) worker_.join();
}

bool UninstallWindow::OnInitDialog(plat::DialogWindow& window) {
    gb2312Font_ = pkg::Gb2312FontMode(platform_);
    if (gb2312Font_) window.SetFontAll(pkg::Gb2312FontSpec());
    window.AppendSystemMenuItem(IDM_ABOUTBOX, texts_.Message("IDS_ABOUTBOX"));
    window.SetIcons();

    bool wow64 = false;
    is64Bit_ = platform_.system().IsWow64Process(wow64) && wow64;
    osIndex_ = pkg::DetectOs(platform_.system()).index;
    // A platform that is neither 9x nor NT counts as index 3.
    if (pkg::DetectOs(platform_.system()).unknownPlatform) osIndex_ = 3;

    if (!CheckAdministrator(window)) return true;
    if (!FindInventory(window)) return true;
    FillList(window);
    AddLog(window, texts_.Message("IDS_SELECTPRN1"));
    SetCaptions(window);
    LookUpDriverDeletion(window);
    usbDriverInstalled_ = UsbDriverInstalled();
    window.EnableItem(IDC_USB_DRIVER, usbDriverInstalled_);
    return true;
}

void UninstallWindow::Refuse(plat::DialogWindow& window, const char* key) {
    window.MessageBox(texts_.Message(key), texts_.Get("Uninstall", "Title"), MB_OK);
    window.EndDialog(IDCANCEL);
}

bool UninstallWindow::CheckAdministrator(plat::DialogWindow& window) {
    if (osIndex_ < 2 || platform_.system().IsUserAdministrator()) return true;
    Refuse(window, "IDS_ADMIN");
    return false;
}

bool UninstallWindow::FindInventory(plat::DialogWindow& window) {
    char dir[kPathSize] = {};
    const std::uint32_t n = platform_.files().GetCurrentDirectoryA(sizeof dir, dir);
    if (n == 0 || n >= sizeof dir) {
        Refuse(window, "IDS_ERR_GETSYSDIR");
        return false;
    }
    currentDir_ = dir;
    std::string found = currentDir_;
    InventorySearch search = SearchInventory(platform_.files(), found);
    if (search != InventorySearch::Found) {
        found = currentDir_ + "\\DRVCONFIG";
        search = SearchInventory(platform_.files(), found);
    }
    if (search == InventorySearch::NoEntries) {
        Refuse(window, "IDS_ERR_INVALID");
        return false;
    }
    if (search == InventorySearch::NotFound) {
        Refuse(window, "IDS_ERR_NOINI");
        return false;
    }
    inventoryPath_ = found + "\\Uninstall.ini";
    inventory_ = std::make_unique<Inventory>(platform_, inventoryPath_, osIndex_);
    return true;
}

void UninstallWindow::FillList(plat::DialogWindow& window) {
    window.SetListViewExtendedStyle(IDC_CANDIDATES, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES |
                                                        LVS_EX_FULLROWSELECT |
                                                        LVS_EX_HEADERDRAGDROP);
    window.InsertListViewColumn(IDC_CANDIDATES, 0, "", kColumnWidth);
    const std::vector<std::string> candidates =
        FillCandidates(platform_, *inventory_, osIndex_, is64Bit_);
    for (const std::string& name : candidates)
        window.InsertListViewRow(IDC_CANDIDATES, window.ListViewRowCount(IDC_CANDIDATES), name);
    if (candidates.empty()) window.EnableItem(IDC_SELECT, false);
}

void UninstallWindow::SetCaptions(plat::DialogWindow& window) {
    window.SetTitle(texts_.Get("Uninstall", "Title"));
    window.SetItemText(IDC_NOTE, texts_.Get("Uninstall", "Note"));
    window.SetItemText(IDC_UNINSTALL, texts_.Get("Uninstall", "Uninstall"));
    window.SetItemText(IDC_SELECT, texts_.Get("Uninstall", "Select"));
    window.SetItemText(IDC_EXIT, texts_.Get("Uninstall", "Exit"));
    window.SetItemText(IDC_USB_DRIVER, texts_.Get("Uninstall", "USBuninstall"));
}

void UninstallWindow::LookUpDriverDeletion(plat::DialogWindow& window) {
    const plat::FunctionLookup lookup =
        platform_.system().LookUpFunction("Winspool.drv", "DeletePrinterDriverExA");
    hasDriverEx_ = lookup == plat::FunctionLookup::Found;
    if (lookup == plat::FunctionLookup::NoLibrary)
        window.MessageBox("no Winspool lib  ", texts_.Get("Uninstall", "Title"), MB_OK);
}

bool UninstallWindow::UsbDriverInstalled() {
    char windows[kPathSize] = {};
    const std::uint32_t n = platform_.files().GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows) return false;
    // The device drivers live in the native System32, which a 32-bit program on 64-bit
    // Windows sees only with redirection suspended.
    setup::RedirectionSuspension suspension(platform_, is64Bit_);
    for (const char* file : {"\\System32\\drivers\\ZADO450DEZ.ure",
                             "\\System32\\drivers\\BULKUSB.sys"})
        if (platform_.files().GetFileAttributesA((std::string(windows) + file).c_str()) !=
            INVALID_FILE_ATTRIBUTES)
            return true;
    return false;
}

bool UninstallWindow::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) return false;
    switch (id) {
    case IDC_UNINSTALL:
        if (!running_) StartRun(window);
        return true;
    case IDC_SELECT:
        for (int row = 0; row < window.ListViewRowCount(IDC_CANDIDATES); ++row)
            window.SetListViewRowChecked(IDC_CANDIDATES, row, true);
        return true;
    case IDC_EXIT:
    case IDCANCEL:
        // The close box and Escape must not end the program under a running worker.
        if (!running_) window.EndDialog(IDCANCEL);
        return true;
    case IDOK:
        return true;  // Enter does not close the window
    default:
        return false;
    }
}

bool UninstallWindow::OnSysCommand(plat::DialogWindow& window, int command) {
    if (command != IDM_ABOUTBOX) return false;
    UninstallAbout about(platform_, gb2312Font_);
    window.RunModalChild(IDD_ABOUTBOX, about);
    return true;
}

void UninstallWindow::OnHelp(plat::DialogWindow& window) {
    plat::Desktop& desktop = platform_.desktop();
    // The main window itself may be titled "Uninstall": only another window is the help.
    const plat::WindowRef open = desktop.FindWindowA(nullptr, common::kUninstallTitle);
    if (open != 0 && open != window.Ref()) {
        desktop.BringWindowToTop(open);
        desktop.OpenIcon(open);
        return;
    }
    if (desktop.ShellExecuteA(window.Ref(), "open", ".\\Uninstall_EN.CHM", nullptr, nullptr,
                              SW_SHOW) <= 32)
        desktop.ShellExecuteA(window.Ref(), "open", ".\\Uninstall_CN.CHM", nullptr, nullptr,
                              SW_SHOW);
}

void UninstallWindow::StartRun(plat::DialogWindow& window) {
    const std::string refusal = CheckNoPendingJobs(platform_, texts_);
    if (!refusal.empty()) {
        AddLog(window, refusal);
        return;
    }
    std::vector<Candidate> candidates;
    for (int row = 0; row < window.ListViewRowCount(IDC_CANDIDATES); ++row)
        candidates.push_back({window.ListViewRowText(IDC_CANDIDATES, row),
                              window.IsListViewRowChecked(IDC_CANDIDATES, row)});
    WorkerSettings settings;
    settings.osIndex = osIndex_;
    settings.is64Bit = is64Bit_;
    settings.hasDriverEx = hasDriverEx_;
    settings.removeUsbDriver = window.IsButtonChecked(IDC_USB_DRIVER);
    settings.currentDir = currentDir_;
    settings.owner = window.Ref();

    EnableControls(window, false);
    running_ = true;
    window.SetTimer(kEventTimer, kEventTimerMs);
    worker_ = std::thread([this, candidates = std::move(candidates), settings]() {
        UninstallWorker(platform_, *inventory_, texts_, settings, events_).Run(candidates);
    });
}

void UninstallWindow::OnTimer(plat::DialogWindow& window, int timerId) {
    if (timerId == kEventTimer) ApplyEvents(window);
}

void UninstallWindow::ApplyEvents(plat::DialogWindow& window) {
    for (const WorkerEvent& event : events_.TakeAll()) {
        switch (event.kind) {
        case WorkerEvent::Kind::Log:
            AddLog(window, event.text);
            break;
        case WorkerEvent::Kind::Removed:
            for (int row = 0; row < window.ListViewRowCount(IDC_CANDIDATES); ++row)
                if (window.ListViewRowText(IDC_CANDIDATES, row) == event.text) {
                    window.DeleteListViewRow(IDC_CANDIDATES, row);
                    break;
                }
            break;
        case WorkerEvent::Kind::Ended:
            EndRun(window, event.restartFlag, event.completed);
            break;
        }
    }
}

void UninstallWindow::EndRun(plat::DialogWindow& window, bool restartFlag, bool completed) {
    window.KillTimer(kEventTimer);
    if (worker_.joinable()) worker_.join();
    running_ = false;
    if (completed && restartFlag) {
        RestartDialog question(platform_, gb2312Font_);
        if (window.RunModalChild(IDD_RESTART, question) == IDOK) setup::RestartWindows(platform_);
    }
    if (window.ListViewRowCount(IDC_CANDIDATES) > 0) {
        AddLog(window, texts_.Message("IDS_SELECTPRN1"));
        EnableControls(window, true);
    } else {
        window.EnableItem(IDC_EXIT, true);
    }
}

void UninstallWindow::EnableControls(plat::DialogWindow& window, bool enabled) {
    window.EnableItem(IDC_UNINSTALL, enabled);
    window.EnableItem(IDC_CANDIDATES, enabled);
    window.EnableItem(IDC_SELECT, enabled);
    window.EnableItem(IDC_EXIT, enabled);
    // The USB box is offered only where it was at start: Windows 2000 and later with the
    // device driver installed.
    window.EnableItem(IDC_USB_DRIVER, enabled && osIndex_ >= 2 && usbDriverInstalled_);
}

void UninstallWindow::AddLog(plat::DialogWindow& window, const std::string& line) {
    const int index = window.AddListItem(IDC_LOG, line);
    window.SetListSelection(IDC_LOG, index);
}

void UninstallWindow::OnDestroy(plat::DialogWindow&) {
    if (worker_.joinable()) worker_.join();
}

}  // namespace uninstall
