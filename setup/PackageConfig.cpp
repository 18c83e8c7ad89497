// (being written)
#include "setup/PackageConfig.h"
