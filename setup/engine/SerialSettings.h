// Serial line settings: the text Windows keeps for a COM port, the DCB record of Windows 98/Me,
// and writing both where the system reads them.
#pragma once
#include <string>

#include "platform/comm_records.h"
#include "platform/platform.h"

namespace setup {

// The port page's serial choices, as the letters and numbers the settings text is made of.
struct SerialSettings {
    int baudRate = 0;
    int byteSize = 8;
    double stopBits = 1.0;  // 1, 1.5 or 2
    char parity = 'n';      // 'e', 'm', 'n', 'o' or 's'
    char protocol = 'p';    // 'p' hardware, 'x' Xon/Xoff, ' ' none
};

// "baud,parity,bits,stop,protocol": 9600,n,8,1,p; stop bits 1.5 keep their decimal.
std::string SerialSettingsText(const SerialSettings& settings);

// The record Windows 98/Me keeps as a port's "DCB" value.
plat::DCB MakeDcb(const SerialSettings& settings);

// The port name from "COM" on ("ZKCOM3:" gives "COM3:"); empty when it holds no "COM".
std::string SystemComPortName(const std::string& portName);

// NT family: the settings text as the REG_SZ value named after the system's COM port under
// HKLM "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports" (64-bit view on 64-bit Windows).
// A key that cannot be opened is skipped silently.
void WriteSerialSettings(plat::Platform& platform, bool is64Bit, const std::string& portName,
                         const SerialSettings& settings);

// Windows 98/Me: the DCB record into the class key of serial port `portNumber` (1 or 2; other
// numbers write none), the settings text into win.ini [Ports], a broadcast that the section
// changed, and a flush of the profile cache.
void WriteSerialSettings98(plat::Platform& platform, int portNumber, const std::string& portName,
                           const SerialSettings& settings);

}  // namespace setup
