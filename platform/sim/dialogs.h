// Dialogs on the simulated machine: built from the program's resource script and driven by the
// automation script.
#pragma once
#include "platform/dialog.h"
#include "platform/sim/desktop.h"
#include "platform/sim/machine.h"
#include "platform/sim/process.h"

namespace sim {

class SimDialogs : public plat::Dialogs {
public:
    SimDialogs(const Machine& machine, const ProcessContext& process, SimDesktop& desktop);
    int RunModal(int templateId, plat::DialogLogic& logic) override;

private:
    const Machine& machine_;
    const ProcessContext& process_;
    SimDesktop& desktop_;
};

}  // namespace sim
