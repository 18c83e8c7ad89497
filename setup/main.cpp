// setup, the installation wizard "Printer Driver Setup".
#include "platform/platform.h"

int main() {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    return 0;
}
