// The installer's window: on a simulated desktop (its template, its title for the whole
// operation, the two seconds after it, the log and the report boxes in the transcript) and
// driven directly (the About item and box, the hidden Install button, painting minimised).
#include <gtest/gtest.h>

#include <algorithm>

#include "install/InstallerWindow.h"
#include "install/resource.h"
#include "platform/win_constants.h"
#include "tests/install/install_machine.h"
#include "tests/setup/recording_window.h"

namespace {

using installtest::InstallMachine;

bool Has(const std::vector<std::string>& lines, const std::string& wanted) {
    return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

TEST(InstallerWindowOnDesktop, RunsTheOperationWhileItsTitledWindowExistsThenLingersTwoSeconds) {
    InstallMachine machine;
    auto platform = machine.Process();
    plat::WindowRef foundDuring = 0;
    std::uint32_t operationEnd = 0;
    int runs = 0;
    int result = install::RunInstallerWindow(*platform, [&](install::OperationContext& context) {
        ++runs;
        foundDuring = context.platform.desktop().FindWindowA(nullptr, "Device driver setup");
        EXPECT_EQ(context.parent, foundDuring);  // the device calls' parent is the window
        EXPECT_EQ(context.sourceDirectory, "C:\\pkg");
        context.log.Append("first line.\r\n");
        context.log.Append("second line.\r\n");
        context.log.ReportError("search for specified device", 259);
        operationEnd = context.platform.system().GetTickCount();
    });
    std::uint32_t closed = platform->system().GetTickCount();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(runs, 1);
    EXPECT_NE(foundDuring, 0);
    EXPECT_GE(closed - operationEnd, 2000u);
    EXPECT_LT(closed - operationEnd, 2100u);
    EXPECT_EQ(platform->desktop().FindWindowA(nullptr, "Device driver setup"), 0);

    std::vector<std::string> transcript = machine.Transcript();
    const std::vector<std::string> expected = {
        "Install: opens window \"Device driver setup\"",
        "Install: adds to edit 1007 of \"Device driver setup\": \"first line.\\n\"",
        "Install: adds to edit 1007 of \"Device driver setup\": \"second line.\\n\"",
    };
    for (const std::string& line : expected) EXPECT_TRUE(Has(transcript, line)) << line;
    bool report = std::any_of(transcript.begin(), transcript.end(), [](const std::string& l) {
        return l.find("message box \"Install\" [no icon, OK] \"Error 259 in search for specified "
                      "device: No more data is available.") != std::string::npos;
    });
    EXPECT_TRUE(report);
    EXPECT_TRUE(Has(transcript, "Install: closes window \"Device driver setup\""));
}

// Reads the About item's text from the window's module, as the window does.
class StringReader : public plat::DialogLogic {
public:
    std::string about, missing;
    bool OnInitDialog(plat::DialogWindow& window) override {
        about = window.LoadStringResource(IDS_ABOUTBOX);
        missing = window.LoadStringResource(999);
        window.EndDialog(IDOK);
        return true;
    }
};

TEST(InstallerWindowOnDesktop, TemplatesAndTheAboutString) {
    InstallMachine machine;
    auto platform = machine.Process();
    StringReader reader;
    EXPECT_EQ(platform->dialogs().RunModal(IDD_INSTALLER, reader), IDOK);
    EXPECT_EQ(reader.about, "About Installer(&A)...");
    EXPECT_EQ(reader.missing, "");
    plat::DialogLogic plain;
    class Closer : public plat::DialogLogic {
        bool OnInitDialog(plat::DialogWindow& w) override {
            title = w.GetTitle();
            w.EndDialog(IDOK);
            return true;
        }
    public:
        std::string title;
    } about;
    EXPECT_EQ(platform->dialogs().RunModal(IDD_ABOUTBOX, about), IDOK);
    EXPECT_EQ(about.title, "About Installer");
}

// A window that records the About item, the About box, the report boxes and the minimised
// painting.
class FakeWindow : public wizardtest::RecordingWindow {
public:
    std::string aboutString = "About Installer(&A)...";
    std::vector<std::pair<int, std::string>> menuItems;
    std::vector<int> modalChildren;
    std::vector<std::string> boxes;
    std::string log;
    bool minimized = false;

    std::string LoadStringResource(int id) override { return id == IDS_ABOUTBOX ? aboutString : ""; }
    void AppendSystemMenuItem(int command, std::string_view text) override {
        menuItems.emplace_back(command, std::string(text));
    }
    int RunModalChild(int templateId, plat::DialogLogic&) override {
        modalChildren.push_back(templateId);
        return IDOK;
    }
    int MessageBox(std::string_view text, std::string_view, std::uint32_t) override {
        boxes.emplace_back(text);
        return IDOK;
    }
    void InsertEditText(int id, std::string_view text) override {
        EXPECT_EQ(id, IDC_LOG);
        log += text;
    }
    bool IsMinimized() override { return minimized; }
};

class FakeCanvas : public plat::Canvas {
public:
    int icons = 0;
    plat::Rect ClientRect() override { return {}; }
    void StretchBitmap(int, const plat::Rect&) override {}
    void DrawCentredText(const plat::Rect&, std::string_view, const plat::FontSpec&, std::uint32_t) override {}
    void DrawIconCentred() override { ++icons; }
    void FillRect(const plat::Rect&, std::uint32_t) override {}
    void FillRectWithBrushValue(const plat::Rect&, int) override {}
    void StretchImage(const plat::PixelImage&, const plat::Rect&, const plat::Rect&, plat::StretchMode) override {}
};

TEST(InstallerWindowLogic, AboutItemOnlyWithItsTextAndCommands16To31OpenTheBox) {
    InstallMachine machine;
    auto platform = machine.Process();
    for (const std::string text : {"About Installer(&A)...", ""}) {
        SCOPED_TRACE(text);
        install::InstallerWindow logic(*platform, {});
        FakeWindow window;
        window.aboutString = text;
        logic.OnInitDialog(window);
        EXPECT_EQ(window.endResult, IDOK);
        if (text.empty()) {
            EXPECT_TRUE(window.menuItems.empty());
        } else {
            ASSERT_EQ(window.menuItems.size(), 1u);
            EXPECT_EQ(window.menuItems[0], std::make_pair(16, text));
        }
    }
    install::InstallerWindow logic(*platform, {});
    FakeWindow window;
    for (int command : {15, 16, 31, 32, 0xF060}) {
        SCOPED_TRACE(command);
        bool handled = logic.OnSysCommand(window, command);
        EXPECT_EQ(handled, command >= 16 && command <= 31);
    }
    EXPECT_EQ(window.modalChildren, (std::vector<int>{IDD_ABOUTBOX, IDD_ABOUTBOX}));
}

TEST(InstallerWindowLogic, LogReportsHiddenInstallButtonAndMinimisedIcon) {
    InstallMachine machine;
    auto platform = machine.Process();
    int runs = 0;
    install::InstallerWindow logic(*platform, [&](install::OperationContext& context) {
        ++runs;
        context.log.Append("a\r\n");
        context.log.Append("b\r\n");
        context.log.ReportError("SetupDiCreateDeviceInfoList", 0xE0000FFF);
    });
    FakeWindow window;
    logic.OnInitDialog(window);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(window.log, "a\r\nb\r\n");
    EXPECT_EQ(window.boxes, (std::vector<std::string>{"Error E0000FFF in SetupDiCreateDeviceInfoList\n"}));
    // The hidden Install button runs the operation again; the other buttons are the host's.
    EXPECT_TRUE(logic.OnCommand(window, IDC_INSTALL, plat::kButtonClicked));
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(logic.OnCommand(window, IDCANCEL, plat::kButtonClicked));
    EXPECT_FALSE(logic.OnCommand(window, IDOK, plat::kButtonClicked));
    EXPECT_EQ(runs, 2);

    FakeCanvas canvas;
    EXPECT_FALSE(logic.OnPaint(window, canvas));
    window.minimized = true;
    EXPECT_TRUE(logic.OnPaint(window, canvas));
    EXPECT_EQ(canvas.icons, 1);
}

}  // namespace
