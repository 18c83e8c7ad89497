// Operation 8: create virtual serial-port devices and install their driver on them.
#pragma once
#include "install/OperationContext.h"

namespace install {

// deviceCount is 1..255.
void InstallVirtualPorts(OperationContext& context, int deviceCount);

}  // namespace install
