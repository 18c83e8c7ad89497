// The USB access library on the simulated machine: a stand-in that works over the machine's
// attached USB printers (state/usb_printers.h).
//
// The library is there when a file of its name is found where LoadLibraryA looks first: the
// program's directory, then the system directory (SysWOW64 for a 32-bit program on a 64-bit
// machine). The file's text may name the functions it exports on a line
// "exports: OpenDeviceX GetPrinterInternalID ..."; without such a line it exports all five.
// Device index i is the i-th attached printer; its handle is its slot + 1, so it is never 0 or
// -1. A printer whose internal ID is 0 is reported as 8: 0 is the library's failure value, and
// 8 belongs to the same port.
#pragma once
#include <optional>
#include <set>
#include <string>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/usb_access_library.h"

namespace sim {

// The names of the functions a stand-in file exports, from its text.
std::set<std::string> ExportsOfUsbLibraryFile(const std::string& text);

class SimUsbAccess : public plat::UsbAccess {
public:
    SimUsbAccess(const Machine& machine, const ProcessContext& process)
        : machine_(machine), process_(process) {}

    std::unique_ptr<plat::UsbAccessLibrary> Load(const char* libraryName) override;

private:
    // The stand-in file's text, or none when the search order finds no such file.
    std::optional<std::string> FindLibraryFile(const std::string& name) const;

    const Machine& machine_;
    const ProcessContext& process_;
};

}  // namespace sim
