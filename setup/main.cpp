// setup, the installation wizard "Printer Driver Setup".
#include "platform/platform.h"
#include "setup/ProgramStart.h"

int main() {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    setup::StartResult start = setup::RunProgramStart(*platform);
    if (start.outcome != setup::StartOutcome::Proceed) return 0;
    // The wizard's pages come next; until they exist the start ends here, and says so.
    platform->desktop().Transcript(
        start.is64Bit ? "start-up checks passed (64-bit Windows); the wizard is not built yet"
                      : "start-up checks passed (32-bit Windows); the wizard is not built yet");
    return 1;
}
