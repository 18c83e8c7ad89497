// Runs the operation a command names; unknown codes do nothing.
#pragma once
#include "install/InstallerCommandLine.h"
#include "install/OperationContext.h"

namespace install {

void RunDeviceOperation(OperationContext& context, const InstallerCommand& command);

}  // namespace install
