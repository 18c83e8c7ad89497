// uninstall, the package's uninstaller. Its engine and window are not built yet: it says so in
// the transcript and exits with a failure code, so that nothing can mistake it for a success.
#include "platform/platform.h"

int main() {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    platform->desktop().Transcript("uninstall: the uninstaller is not built yet");
    return 1;
}
