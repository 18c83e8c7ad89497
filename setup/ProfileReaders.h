// The two small readers the wizard uses beside PackageConfig.
#pragma once
#include "platform/platform.h"

namespace setup {

// A key of section DEVICENAME of "DRVCONFIG\setup.ini" relative to the current directory, as a
// number (default "0").
int ReadSwitch(plat::Platform& platform, const char* key);

// A key of a file as a number: the path used unchanged, default "0", read into 200 characters.
int ReadProfileInt(plat::Platform& platform, const char* file, const char* section,
                   const char* key);

}  // namespace setup
