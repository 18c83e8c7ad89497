// The internal ID of the single attached USB printer: reading it, rewriting it, and the port
// numbers derived from IDs and USB port names.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "package/LanguageText.h"
#include "platform/desktop.h"
#include "platform/system_info.h"
#include "platform/usb_access_library.h"

namespace setup {

// The library every USB printer access goes through; it is not part of this package.
inline constexpr const char* kUsbAccessLibraryName = "KxUsbInt.dll";

// Bytes 1 to 5 of the ID command: the printer firmware accepts a new internal ID only after this
// access sequence ("##SET"), so no ordinary print data can renumber a printer by chance.
inline constexpr std::array<std::uint8_t, 5> kPrinterAccessSequence = {0x23, 0x23, 0x53, 0x45,
                                                                       0x54};

// Query results besides an internal ID.
inline constexpr int kNoUsbPrinter = -1;       // none attached, or no usable library
inline constexpr int kSeveralUsbPrinters = -2; // more than one attached

// Ports 1 to 8 come from IDs; only 1 to 4 have USB port names.
inline constexpr int kMaxUsbPortNumber = 8;

// What the USB operations work with. Message boxes go to `owner` with `caption`; `messages` is
// the "Message" section of setup's language file.
struct UsbIdContext {
    plat::UsbAccess& usb;
    plat::Desktop& desktop;
    plat::SystemInfo& system;
    const pkg::LanguageText& messages;
    plat::WindowRef owner = 0;
    std::string caption;
};

// The port number of an internal ID: (n mod 8) + 1, 1 to 8.
int UsbPortNumberOfId(int internalId);
// The port number a USB port name stands for: 4 for "_4", else 3, 2, 1 likewise, else 0.
int UsbPortNumberOfName(std::string_view portName);
// The 10-byte command that sets the printer's internal ID to port - 1.
std::array<std::uint8_t, 10> UsbIdCommand(int port);

// The internal ID of the one attached printer, kNoUsbPrinter or kSeveralUsbPrinters. Each
// failure is shown in a message box when it happens, except that no printer at all is silent.
int QueryUsbPrinterId(UsbIdContext& context);
// Rewrites the attached printer's internal ID for port number `port` (1 to 8). False on failure,
// shown in a message box (a port outside 1 to 8 silently).
bool WriteUsbPrinterId(UsbIdContext& context, int port);

}  // namespace setup
