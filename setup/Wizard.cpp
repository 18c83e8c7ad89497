// Runs the wizard frame.
#include "setup/Wizard.h"

#include "package/Gb2312Font.h"
#include "package/LanguageText.h"
#include "package/ProfileReaders.h"
#include "setup/InstallSequence.h"
#include "setup/PackageCatalog.h"
#include "setup/WizardContext.h"
#include "setup/WizardFrame.h"
#include "setup/resource.h"

namespace setup {

int RunWizard(plat::Platform& platform, bool is64Bit) {
    pkg::LanguageText messages(platform, "Message");
    // The package is read once per run; the pages and the page switch use this reading.
    PackageCatalog catalog = PackageCatalog::Read(platform, is64Bit);
    WizardContext context{platform, messages, catalog, is64Bit,
                          pkg::ReadSwitch(platform, "LOADLICENSE") != 0,
                          pkg::Gb2312FontMode(platform)};
    InstallSequence engine(context);
    WizardFrame frame(context, engine);
    if (platform.dialogs().RunModal(IDD_WIZARD_FRAME, frame) == -1) return 2;
    return frame.installationRan() ? engine.ExitCode() : 0;
}

}  // namespace setup
