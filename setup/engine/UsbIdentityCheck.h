// The check before a USB installation: the attached printer's internal ID must belong to the
// chosen port, and is rewritten when the user agrees.
#pragma once
#include <string>

#include "setup/engine/UsbPrinterId.h"

namespace setup {

// True when the installation may go on. `typical` is the wizard's mode; `portName` the chosen
// USB port ("USB_<model>_3"), which Typical mode always sets up as port 1.
bool CheckUsbPrinterBeforeInstall(UsbIdContext& context, bool typical,
                                  const std::string& portName);

}  // namespace setup
