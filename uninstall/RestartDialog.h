// The restart question after a run that deleted something: Yes ends with IDOK.
#pragma once
#include "platform/platform.h"

namespace uninstall {

// Captions Note1, Note2, Note3, Yes, No and the title Title of section "Reboot".
class RestartDialog : public plat::DialogLogic {
public:
    RestartDialog(plat::Platform& platform, bool gb2312Font)
        : platform_(platform), gb2312Font_(gb2312Font) {}
    bool OnInitDialog(plat::DialogWindow& window) override;

private:
    plat::Platform& platform_;
    bool gb2312Font_;
};

}  // namespace uninstall
