// The progress dialog's animation against the worker's status word, step by step: the bar
// climbs and holds at 90 while the worker runs, runs out to 99 on success or back to 0 on
// failure, and the dialog ends; it never shows 100.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "setup/ProgressDialog.h"
#include "setup/resource.h"
#include "tests/support/package_machine.h"
#include "tests/setup/recording_window.h"

namespace {

using setup::InstallStatus;
using setup::ProgressDialog;

// A clock whose waits are only recorded; it plays the worker, which reports its result after a
// number of the dialog's 80 ms polls.
class WorkerClock : public plat::SystemInfo {
public:
    WorkerClock(InstallStatus& status, int pollsBeforeReport, int report)
        : status_(status), pollsLeft_(pollsBeforeReport), report_(report) {}

    std::vector<std::uint32_t> sleeps;

    void Sleep(std::uint32_t ms) override {
        sleeps.push_back(ms);
        if (ms == ProgressDialog::kClimbWaitMs && --pollsLeft_ == 0) status_.store(report_);
    }
    bool GetVersionExA(plat::OsVersion&) override { return false; }
    bool GetNativeProcessorArchitecture(std::uint16_t&) override { return false; }
    std::uint16_t GetProcessorArchitecture() override { return 0; }
    bool IsWow64Process(bool&) override { return false; }
    bool IsUserAdministrator() override { return true; }
    std::uint32_t FormatMessageA(std::uint32_t, char*, std::uint32_t) override { return 0; }
    std::uint32_t GetACP() override { return 1252; }
    std::string WideCharToAnsi(std::u16string_view) override { return {}; }
    plat::FunctionLookup LookUpFunction(const char*, const char*) override {
        return plat::FunctionLookup::NoLibrary;
    }
    std::uint32_t GetTickCount() override { return 0; }

private:
    InstallStatus& status_;
    int pollsLeft_;
    int report_;
};

std::vector<int> Range(int from, int to, int step) {
    std::vector<int> values;
    for (int v = from; step > 0 ? v <= to : v >= to; v += step) values.push_back(v);
    return values;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Animation {
    wizardtest::RecordingWindow window;
    std::vector<std::uint32_t> sleeps;
    int Count(std::uint32_t ms) const {
        return static_cast<int>(std::count(sleeps.begin(), sleeps.end(), ms));
    }
};

// Creates the dialog and delivers timer ticks as the host would until the dialog ends.
void Animate(plat::Platform& platform, int pollsBeforeReport, int report, Animation& run,
             int startStatus = setup::kInstallRunning) {
    InstallStatus status{startStatus};
    WorkerClock clock(status, pollsBeforeReport, report);
    ProgressDialog dialog(platform, clock, status, false);
    dialog.OnInitDialog(run.window);
    dialog.OnTimer(run.window, ProgressDialog::kTimerId);
    // A tick that comes after the animation has run does not start it again.
    dialog.OnTimer(run.window, ProgressDialog::kTimerId);
    run.sleeps = clock.sleeps;
}

class ProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        machine_ = testsupport::PackageMachine::Create(testsupport::ExamplePackage(), {}, error);
        ASSERT_NE(machine_, nullptr) << error;
    }
    plat::Platform& platform() { return machine_->platform(); }
    std::unique_ptr<testsupport::PackageMachine> machine_;
};

TEST_F(ProgressDialogTest, StartsWithARangeOf0To100AndA100MsTimer) {
    Animation run;
    Animate(platform(), 3, setup::kInstallSucceeded, run);
    EXPECT_EQ(run.window.rangeLow, 0);
    EXPECT_EQ(run.window.rangeHigh, 100);
    EXPECT_EQ(run.window.timers.at(ProgressDialog::kTimerId), 100u);
}

TEST_F(ProgressDialogTest, SuccessRunsTheBarOnTo99InStepsOf10MsAndEndsWithOk) {
    Animation run;
    Animate(platform(), 5, setup::kInstallSucceeded, run);
    // Five polls show 0..4; the report then carries the bar from 5 to 99.
    EXPECT_EQ(run.window.positions, Join(Range(0, 4, 1), Range(5, 99, 1)));
    EXPECT_EQ(run.Count(80), 5);
    EXPECT_EQ(run.Count(10), 95);
    EXPECT_EQ(run.sleeps.back(), 100u);
    EXPECT_EQ(run.window.endResult, IDOK);
}

TEST_F(ProgressDialogTest, FailureRunsTheBarBackTo1ThenSets0AndWaits100Ms) {
    Animation run;
    Animate(platform(), 30, setup::kInstallFailed, run);
    std::vector<int> expected = Join(Join(Range(0, 29, 1), Range(30, 1, -1)), {0});
    EXPECT_EQ(run.window.positions, expected);
    EXPECT_EQ(run.Count(10), 30);
    EXPECT_EQ(run.sleeps.back(), 100u);
    EXPECT_EQ(run.window.endResult, IDOK);
}

TEST_F(ProgressDialogTest, BarHoldsAt90WhileTheWorkerTakesLongAndNeverShows100) {
    Animation run;
    Animate(platform(), 200, setup::kInstallSucceeded, run);
    const std::vector<int>& p = run.window.positions;
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(*std::max_element(p.begin(), p.end()), 99);
    // Polls 91 to 200 all show 90; the run-out starts at 91.
    EXPECT_EQ(std::count(p.begin(), p.end(), 90), 200 - 90);
    EXPECT_EQ(std::vector<int>(p.end() - 9, p.end()), Range(91, 99, 1));
    EXPECT_EQ(run.Count(80), 200);
}

TEST_F(ProgressDialogTest, WorkerThatHasAlreadyFinishedGivesNoClimb) {
    Animation success;
    Animate(platform(), -1, 0, success, setup::kInstallSucceeded);
    EXPECT_EQ(success.window.positions, Range(0, 99, 1));
    EXPECT_EQ(success.Count(80), 0);

    Animation failure;
    Animate(platform(), -1, 0, failure, setup::kInstallFailed);
    EXPECT_EQ(failure.window.positions, std::vector<int>{0});
    EXPECT_EQ(failure.sleeps, std::vector<std::uint32_t>{100});
}

// A canvas that records the one text the dialog draws.
class TextCanvas : public plat::Canvas {
public:
    plat::Rect client{0, 0, 330, 75};
    plat::Rect box;
    std::string text;
    plat::FontSpec font;
    std::uint32_t colour = 0;
    plat::Rect ClientRect() override { return client; }
    void StretchBitmap(int, const plat::Rect&) override {}
    void DrawCentredText(const plat::Rect& b, std::string_view t, const plat::FontSpec& f,
                         std::uint32_t rgb) override {
        box = b;
        text = t;
        font = f;
        colour = rgb;
    }
    void DrawIconCentred() override {}
    void FillRect(const plat::Rect&, std::uint32_t) override {}
    void FillRectWithBrushValue(const plat::Rect&, int) override {}
    void StretchImage(const plat::PixelImage&, const plat::Rect&, const plat::Rect&, plat::StretchMode) override {}
};

TEST_F(ProgressDialogTest, PaintsTheWaitTextInTheTopTwoThirdsInBoldDarkBlue) {
    InstallStatus status{0};
    WorkerClock clock(status, 1, 0);
    ProgressDialog dialog(platform(), clock, status, false);
    wizardtest::RecordingWindow window;
    TextCanvas canvas;
    EXPECT_TRUE(dialog.OnPaint(window, canvas));
    EXPECT_EQ(canvas.text, "Installing the printer driver, please wait...");
    EXPECT_EQ(canvas.box.top, 0);
    EXPECT_EQ(canvas.box.bottom, 50);
    EXPECT_EQ(canvas.box.right, 330);
    EXPECT_EQ(canvas.font.face, "System");
    EXPECT_EQ(canvas.font.height, 20);
    EXPECT_EQ(canvas.font.weight, 700);
    EXPECT_EQ(canvas.colour, 0x993300u);  // RGB(0, 51, 153)
}

TEST_F(ProgressDialogTest, Gb2312FontModeGivesTheFontToTheDialog) {
    for (bool mode : {false, true}) {
        InstallStatus status{setup::kInstallSucceeded};
        WorkerClock clock(status, 1, 0);
        ProgressDialog dialog(platform(), clock, status, mode);
        wizardtest::RecordingWindow window;
        dialog.OnInitDialog(window);
        ASSERT_EQ(window.fonts.size(), mode ? 1u : 0u);
        if (mode) {
            EXPECT_EQ(window.fonts[0].charSet, 134);
            EXPECT_EQ(window.fonts[0].height, 13);
        }
    }
}

}  // namespace
