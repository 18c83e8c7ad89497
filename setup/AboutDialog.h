// The About box of the system menu: the program icon, version and copyright lines.
#pragma once
#include "platform/platform.h"

namespace setup {

class AboutDialog : public plat::DialogLogic {
public:
    explicit AboutDialog(plat::Platform& platform) : platform_(platform) {}
    bool OnInitDialog(plat::DialogWindow& window) override;

private:
    plat::Platform& platform_;
};

}  // namespace setup
