// Install, the USB device-driver installer. Its operations are not built yet: it says so in the
// transcript and exits with a failure code, so that nothing can mistake it for a success.
#include <string>

#include "platform/platform.h"

int main(int argc, char** argv) {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    std::string operation = argc > 1 ? argv[1] : "";
    platform->desktop().Transcript(
        ("Install: operation \"" + operation + "\" requested; the device-driver installer is not built yet")
            .c_str());
    return 1;
}
