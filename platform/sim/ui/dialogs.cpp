// Dialogs on the simulated machine: a top-level modal dialog or property sheet run by the
// dialog host.
#include "platform/sim/ui/dialogs.h"

#include "platform/sim/ui/sim_property_sheet.h"

namespace sim {

SimDialogs::SimDialogs(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
                       plat::SystemInfo& system)
    : host_(machine, process, desktop, system) {}

int SimDialogs::RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) {
    return host_.RunModal(module, templateId, logic, nullptr);
}

int SimDialogs::RunPropertySheet(std::u16string_view caption,
                                 std::span<const plat::PROPSHEETPAGEW> pages, int startPage) {
    return RunSimPropertySheet(host_, caption, pages, startPage);
}

}  // namespace sim
