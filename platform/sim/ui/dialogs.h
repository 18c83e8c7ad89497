// Dialogs on the simulated machine: built from the program's resource script and driven by the
// automation script.
#pragma once
#include "platform/dialog.h"
#include "platform/sim/api/desktop.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/system_info.h"

namespace sim {

class SimDialogs : public plat::Dialogs {
public:
    SimDialogs(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
               plat::SystemInfo& system);
    using plat::Dialogs::RunModal;
    int RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) override;
    int RunPropertySheet(std::u16string_view caption, std::span<const plat::PROPSHEETPAGEW> pages,
                         int startPage) override;

private:
    DialogHost host_;
};

}  // namespace sim
