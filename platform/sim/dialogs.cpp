// PLACEHOLDER until the simulated dialogs are written: running a dialog fails loudly.
#include "platform/sim/dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace sim {

SimDialogs::SimDialogs(const Machine& machine, const ProcessContext& process, SimDesktop& desktop)
    : machine_(machine), process_(process), desktop_(desktop) {}

int SimDialogs::RunModal(int templateId, plat::DialogLogic&) {
    std::fprintf(stderr, "simulated dialogs are not built yet (template %d)\n", templateId);
    std::abort();
}

}  // namespace sim
