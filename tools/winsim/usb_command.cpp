// winsim usb: the USB printers attached to a machine, what they received, and their faults.
#include <cstdio>
#include <optional>
#include <string>

#include "platform/sim/state/usb_printers.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

bool ParseId(const std::string& word, int& out) {
    unsigned long long n = 0;
    if (!ParseNumberArgument(word, 0, 0x7FFFFFFF, n)) return false;
    out = static_cast<int>(n);
    return true;
}

bool ParseHexId(const std::string& word, std::uint16_t& out) {
    std::string digits = word.rfind("0x", 0) == 0 ? word.substr(2) : word;
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return false;
    out = static_cast<std::uint16_t>(std::stoul(digits, nullptr, 16));
    return true;
}

int List(const sim::Machine& machine) {
    const auto printers = sim::ReadUsbPrinters(machine);
    if (printers.empty()) std::printf("no USB printer attached\n");
    for (std::size_t i = 0; i < printers.size(); ++i) {
        const sim::UsbPrinter& p = printers[i];
        std::printf("%s", UsbPrinterSummary(i, p).c_str());
        if (!p.received.empty()) {
            std::printf(":");
            for (unsigned char c : p.received) std::printf(" %02x", c);
        }
        std::printf("\n");
    }
    return kExitOk;
}

}  // namespace

std::string UsbPrinterSummary(std::size_t index, const sim::UsbPrinter& p) {
    char line[160];
    std::snprintf(line, sizeof line, "index %zu  id %d  vid %04x  pid %04x  %s  %s  received %zu bytes",
                  index, p.internalId, p.vendorId, p.productId,
                  p.answering ? "answering" : "silent", p.writeFails ? "write-fails" : "write-ok",
                  p.received.size());
    return line;
}

int RunUsb(const Args& args) {
    if (args.size() < 2) return UsageError("usb", "needs an action and the machine directory");
    const std::string& action = args[0];
    auto machine = OpenMachine(args[1]);
    if (!machine) return kExitFailed;
    if (action == "list") {
        if (args.size() != 2) return UsageError("usb", "list takes no arguments");
        return List(*machine);
    }
    if (action == "attach") {
        sim::UsbPrinter printer;
        bool haveId = false;
        for (std::size_t i = 2; i < args.size(); ++i) {
            if (i + 1 >= args.size()) return UsageError("usb", "attach: '" + args[i] + "' needs a value");
            const std::string& option = args[i];
            const std::string& value = args[++i];
            bool ok = false;
            if (option == "--id") ok = haveId = ParseId(value, printer.internalId);
            else if (option == "--vid") ok = ParseHexId(value, printer.vendorId);
            else if (option == "--pid") ok = ParseHexId(value, printer.productId);
            else return UsageError("usb", "attach: unexpected '" + option + "'");
            if (!ok) return UsageError("usb", "attach: bad value '" + value + "' for " + option);
        }
        if (!haveId) return UsageError("usb", "attach needs --id N");
        std::string error;
        if (!sim::AttachUsbPrinter(*machine, printer, error)) return Failure(error);
        return kExitOk;
    }
    if (action == "detach") {
        std::optional<int> id;
        if (args.size() > 3) return UsageError("usb", "detach takes at most an internal ID");
        if (args.size() == 3) {
            int n = 0;
            if (!ParseId(args[2], n)) return UsageError("usb", "detach: '" + args[2] + "' is not an ID");
            id = n;
        }
        if (sim::DetachUsbPrinters(*machine, id) == 0 && id)
            return Failure("no USB printer with ID " + args[2] + " is attached");
        return kExitOk;
    }
    if (action == "fault") {
        int id = 0;
        if (args.size() < 4 || !ParseId(args[2], id))
            return UsageError("usb", "fault needs an internal ID and a switch");
        std::optional<bool> answering, writeFails;
        for (std::size_t i = 3; i < args.size(); ++i) {
            if (args[i] == "--silent") answering = false;
            else if (args[i] == "--answering") answering = true;
            else if (args[i] == "--write-fails") writeFails = true;
            else if (args[i] == "--write-ok") writeFails = false;
            else return UsageError("usb", "fault: unexpected '" + args[i] + "'");
        }
        if (sim::SetUsbPrinterFaults(*machine, id, answering, writeFails) == 0)
            return Failure("no USB printer with ID " + args[2] + " is attached");
        return kExitOk;
    }
    return UsageError("usb", "unknown action '" + action + "'");
}

}  // namespace winsim
