// What the host does differently on the simulated machine and on Windows: where its report
// lines go and where device modes are kept.
#pragma once
#include <memory>

#include "platform/platform.h"
#include "tools/driverui/DevmodeStore.h"
#include "tools/driverui/HostReport.h"

namespace driverui {

// The simulated machine: the transcript ("driverui: ..."). Windows: standard output with the
// same prefix, and the debugger output.
std::unique_ptr<HostReport> MakeHostReport(plat::Platform& platform);
// The simulated machine: the registry, where Windows keeps them. Windows: memory, so the test
// host never changes the real spooler's settings.
std::unique_ptr<DevmodeStore> MakeDevmodeStore(plat::Platform& platform);

}  // namespace driverui
