// The GB2312 font-mode switch.
#include "setup/Gb2312Font.h"

#include "setup/ProfileReaders.h"

namespace setup {

bool Gb2312FontMode(plat::Platform& platform) { return ReadSwitch(platform, "LANGUAGE") == 0; }

}  // namespace setup
