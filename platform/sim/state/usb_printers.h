// The USB printers attached to the simulated machine: their internal IDs, vendor and product
// ids, the bytes each received, and the switches that make one misbehave.
//
// Stored in "state/usb_printers.txt", one printer a line in attach order:
//   "SLOT ID VID PID answering|silent write-ok|write-fails RECEIVED"
// SLOT is a number no other printer of the machine had, ID the internal ID (decimal), VID and
// PID four hex digits, RECEIVED the bytes received so far in hex ("-" for none). A printer keeps
// its ID across runs; the ID command rewrites it.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// The printer firmware's ID command: ESC, the five-byte access sequence, GS 'I' ' ', then the
// new internal ID. The access sequence keeps a stray byte stream from renumbering a printer.
inline constexpr std::array<std::uint8_t, 9> kUsbIdCommandPrefix = {
    0x1B, 0x23, 0x23, 0x53, 0x45, 0x54, 0x1D, 0x49, 0x20};

// The ids of the package's own printer, the first its USB driver's INF lists.
inline constexpr std::uint16_t kDefaultUsbVendorId = 0x5A5A;
inline constexpr std::uint16_t kDefaultUsbProductId = 0x5A5A;
// The library enumerates device indexes 0 to 7.
inline constexpr int kMaxUsbPrinters = 8;

struct UsbPrinter {
    int slot = 0;                 // unique on the machine
    int internalId = 0;
    std::uint16_t vendorId = kDefaultUsbVendorId;
    std::uint16_t productId = kDefaultUsbProductId;
    bool answering = true;        // false: it stays attached but answers no query
    bool writeFails = false;      // true: every write to it fails
    std::string received;         // every byte written to it, in order
};

// The attached printers in attach order (the library's device indexes).
std::vector<UsbPrinter> ReadUsbPrinters(const Machine& machine);

// Attaches a printer after the others. False with a reason when eight are attached already or
// the state cannot be written.
bool AttachUsbPrinter(const Machine& machine, UsbPrinter printer, std::string& error);
// Detaches the printers with that internal ID, or every printer without one. Returns how many.
int DetachUsbPrinters(const Machine& machine, std::optional<int> internalId);
// Sets the fault switches of the printers with that internal ID (unchanged where not given).
// Returns how many printers it changed.
int SetUsbPrinterFaults(const Machine& machine, int internalId, std::optional<bool> answering,
                        std::optional<bool> writeFails);

// A write through the library to the printer at `slot`: the bytes are appended to what it
// received, and an ID command among them sets its internal ID. False (nothing kept) when the
// printer is gone or its writes fail.
bool WriteToUsbPrinter(const Machine& machine, int slot, const std::uint8_t* bytes,
                       std::uint32_t count);

// The port number a package USB port name stands for ("USB_<model>_<n>"): 4 when the name holds
// "_4", else 3, 2 or 1 for "_3", "_2", "_1"; 0 for any other name (it reaches no USB printer).
int UsbPortNumberOfName(std::string_view port);
// The port number an attached printer answers to: its internal ID as the library reports it
// (8 for a printer that keeps 0), modulo 8, plus 1.
int UsbPortNumberOf(const UsbPrinter& printer);
// The spooler hands a completed job on a package USB port to the attached printer whose port
// number is the port's. False when the port is no such port, no attached printer answers to it,
// or its writes fail; the job is then printed nowhere.
bool DeliverJobToUsbPrinter(const Machine& machine, std::string_view port, const std::uint8_t* bytes,
                            std::uint32_t count);

// The ID the printer's firmware takes from the bytes: the last complete ID command among them.
std::optional<int> IdSetByBytes(std::string_view bytes);

}  // namespace sim
