// setup, the installation wizard "Printer Driver Setup".
#include "platform/platform.h"
#include "setup/ProgramStart.h"
#include "setup/Wizard.h"

int main() {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    setup::StartResult start = setup::RunProgramStart(*platform);
    if (start.outcome != setup::StartOutcome::Proceed) return 0;
    return setup::RunWizard(*platform, start.is64Bit);
}
