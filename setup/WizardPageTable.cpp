// The wizard's page table and the rules of leaving its pages.
#include "setup/WizardPageTable.h"

#include <type_traits>

#include "setup/LicensePage.h"
#include "setup/ModePage.h"
#include "setup/ModelPage.h"
#include "setup/OsPage.h"
#include "setup/PortPage.h"
#include "setup/resource.h"

namespace setup {

namespace {

template <class P>
std::unique_ptr<WizardPage> Make(const WizardContext& context, WizardHost& host) {
    if constexpr (std::is_constructible_v<P, const WizardContext&, WizardHost&>)
        return std::make_unique<P>(context, host);
    else
        return std::make_unique<P>(context);
}

// Leaving the agreement: Next follows whether the next page has a model to offer.
bool LeaveLicense(PageLeave& leave) {
    leave.host.EnableNext(leave.pages[leave.to].logic->HasModels());
    return true;
}

// Leaving the model page forward: the chosen model's AdvancedSetup rule on the mode page.
bool LeaveModel(PageLeave& leave) {
    if (!leave.forward()) return true;
    auto* model = leave.pages.Find<ModelPage>();
    auto* mode = leave.pages.Find<ModePage>();
    if (!model) return true;
    leave.state.modelRules =
        leave.context.catalog.RulesOf(model->seriesIndex(), model->modelName());
    if (mode && leave.pages.WindowOf<ModePage>())
        mode->ApplyAdvancedSetup(*leave.pages.WindowOf<ModePage>(),
                                 leave.state.modelRules.advancedSetup);
    return true;
}

// Going back from the mode page to the model page: the next OS gate preselects the baud rate
// again.
bool LeaveMode(PageLeave& leave) {
    if (!leave.forward()) leave.state.baudPreselection = true;
    return true;
}

// Leaving the OS page forward: the baud preselection, then the OS gate, which keeps the user on
// the page when the model does not support the detected system.
bool LeaveOs(PageLeave& leave) {
    if (!leave.forward()) return true;
    const ModelRules& rules = leave.state.modelRules;
    auto* port = leave.pages.Find<PortPage>();
    if (leave.state.baudPreselection && port && leave.pages.WindowOf<PortPage>()) {
        port->PreselectBaudRate(*leave.pages.WindowOf<PortPage>(), rules.baudRate);
        leave.state.baudPreselection = false;
    }
    auto* os = leave.pages.Find<OsPage>();
    if (const char* refusal = OsRefusalKey(os ? os->osIndex() : 0, rules.support)) {
        ShowMessageKey(leave.context, leave.frame, refusal);
        return false;
    }
    return true;
}

}  // namespace

const std::vector<WizardPageRow>& WizardPageTable() {
    static const std::vector<WizardPageRow> table = {
        {IDD_LICENSE_PAGE, &Make<LicensePage>, &LeaveLicense, true},
        {IDD_MODEL_PAGE, &Make<ModelPage>, &LeaveModel, false},
        {IDD_MODE_PAGE, &Make<ModePage>, &LeaveMode, false},
        {IDD_OS_PAGE, &Make<OsPage>, &LeaveOs, false},
        {IDD_PORT_PAGE, &Make<PortPage>, nullptr, false},
    };
    return table;
}

WizardPages::WizardPages(const WizardContext& context, WizardHost& host) {
    for (const WizardPageRow& row : WizardPageTable())
        entries_.push_back({&row, row.create(context, host), nullptr});
}

}  // namespace setup
