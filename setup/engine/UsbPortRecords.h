// The records the package's USB port monitor reads: which printer model answers on a USB port
// name, and the port names the monitor may use. `uninstall` removes them again.
#pragma once
#include <string>

#include "platform/platform.h"

namespace setup {

inline constexpr const char* kUsbPortNameKey = "SOFTWARE\\VORTANE\\PORTNAME";
inline constexpr const char* kPrinterPortKey = "SOFTWARE\\VORTANE\\PRINTERPORT";

struct UsbPortRecordsContext {
    plat::Platform& platform;
    bool is64Bit;              // 64-bit Windows: the 64-bit view, System32 redirection suspended
    std::string setupIniPath;  // module-relative "DRVCONFIG\setup.ini"
    plat::WindowRef owner = 0;
    std::string caption;       // of the boxes that report missing redirection functions
};

// Before the installation worker starts: PORTNAME\<port name> = the port's SUPPORTED-USB-DEVICE
// entry of setup.ini (0 when absent), and PRINTERPORT\D1 to D8 = 0. Both keys are created when
// they cannot be opened; failures are skipped silently.
void WriteUsbPortRecords(UsbPortRecordsContext& context, const std::string& usbPortName);

// After the driver is added: PRINTERPORT\<port name as chosen> = 0, into the existing key only.
void WriteChosenUsbPortRecord(UsbPortRecordsContext& context, const std::string& portName);

}  // namespace setup
