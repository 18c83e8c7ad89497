// The About box of the system menu and the restart question after a run.
#pragma once
#include "platform/platform.h"

namespace uninstall {

// Captions Version, Copyright, OK and title Title of section "About".
class UninstallAbout : public plat::DialogLogic {
public:
    UninstallAbout(plat::Platform& platform, bool gb2312Font)
        : platform_(platform), gb2312Font_(gb2312Font) {}
    bool OnInitDialog(plat::DialogWindow& window) override;

private:
    plat::Platform& platform_;
    bool gb2312Font_;
};

}  // namespace uninstall
