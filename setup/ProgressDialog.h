// The progress dialog shown while the installation worker runs: a bar that climbs towards 90
// while the worker works, then runs to 99 on success or back to 0 on failure, and ends.
#pragma once
#include "platform/platform.h"
#include "setup/InstallStatus.h"

namespace setup {

class ProgressDialog : public plat::DialogLogic {
public:
    // `clock` gives the waits between steps; `status` is the worker's status word.
    ProgressDialog(plat::Platform& platform, plat::SystemInfo& clock, const InstallStatus& status,
                   bool gb2312Font);

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnTimer(plat::DialogWindow& window, int timerId) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;

    static constexpr int kTimerId = 1;
    static constexpr unsigned kTimerPeriodMs = 100;
    static constexpr unsigned kStepMs = 10;          // one bar step while running out
    static constexpr unsigned kClimbWaitMs = 80;     // between polls of the worker
    static constexpr unsigned kFinalWaitMs = 100;    // after the last step, before the end
    static constexpr int kClimbLimit = 90;           // where the bar waits for the worker

private:
    // Runs the whole animation inside the first timer tick and ends the dialog.
    void Animate(plat::DialogWindow& window);

    plat::Platform& platform_;
    plat::SystemInfo& clock_;
    const InstallStatus& status_;
    bool gb2312Font_;
    bool animating_ = false;
};

}  // namespace setup
