// Dialogs on the simulated machine: a top-level modal dialog run by the dialog host.
#include "platform/sim/ui/dialogs.h"

namespace sim {

SimDialogs::SimDialogs(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
                       plat::SystemInfo& system)
    : host_(machine, process, desktop, system) {}

int SimDialogs::RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) {
    return host_.RunModal(module, templateId, logic, nullptr);
}

}  // namespace sim
