// The simulated machine's attached USB printers, kept in state/usb_printers.txt.
#include "platform/sim/state/usb_printers.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

#include "platform/sim/state/host_file.h"

namespace sim {

namespace {

const char* const kFileName = "usb_printers.txt";

std::string ToHex(std::string_view bytes) {
    if (bytes.empty()) return "-";
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool FromHex(const std::string& hex, std::string& out) {
    out.clear();
    if (hex == "-") return true;
    if (hex.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(hex.substr(i, 2).c_str(), "%2x", &value) != 1) return false;
        out += static_cast<char>(value);
    }
    return true;
}

// The caller holds the machine lock. A line that is not understood is reported and skipped.
std::vector<UsbPrinter> Load(const Machine& machine) {
    std::vector<UsbPrinter> printers;
    std::string text;
    if (!ReadWholeFile(machine.stateDir() / kFileName, text)) return printers;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line);
        UsbPrinter p;
        std::string answering, writes, hex;
        unsigned vid = 0, pid = 0;
        if (!(in >> p.slot)) continue;  // a blank line
        const bool ok = static_cast<bool>(in >> p.internalId >> std::hex >> vid >> pid >>
                                          std::dec >> answering >> writes >> hex) &&
                        vid <= 0xFFFF && pid <= 0xFFFF &&
                        (answering == "answering" || answering == "silent") &&
                        (writes == "write-ok" || writes == "write-fails") &&
                        FromHex(hex, p.received);
        if (!ok) {
            std::fprintf(stderr, "simulator error: %s line %d is not understood\n",
                         (machine.stateDir() / kFileName).string().c_str(), number);
            continue;
        }
        p.vendorId = static_cast<std::uint16_t>(vid);
        p.productId = static_cast<std::uint16_t>(pid);
        p.answering = answering == "answering";
        p.writeFails = writes == "write-fails";
        printers.push_back(std::move(p));
    }
    return printers;
}

bool Save(const Machine& machine, const std::vector<UsbPrinter>& printers) {
    std::string text;
    for (const UsbPrinter& p : printers) {
        char ids[32];
        std::snprintf(ids, sizeof ids, "%04x %04x", p.vendorId, p.productId);
        text += std::to_string(p.slot) + " " + std::to_string(p.internalId) + " " + ids + " " +
                (p.answering ? "answering" : "silent") + " " +
                (p.writeFails ? "write-fails" : "write-ok") + " " + ToHex(p.received) + "\n";
    }
    return ReplaceWholeFile(machine.stateDir() / kFileName, text);
}

}  // namespace

std::vector<UsbPrinter> ReadUsbPrinters(const Machine& machine) {
    MachineLock lock(machine.dir());
    return Load(machine);
}

bool AttachUsbPrinter(const Machine& machine, UsbPrinter printer, std::string& error) {
    MachineLock lock(machine.dir());
    std::vector<UsbPrinter> printers = Load(machine);
    if (printers.size() >= static_cast<std::size_t>(kMaxUsbPrinters)) {
        error = "eight USB printers are attached already";
        return false;
    }
    // Slots are never reused, so a printer detached and attached again is another device.
    int slot = 0;
    std::string text;
    if (ReadWholeFile(machine.stateDir() / "usb_next_slot.txt", text)) slot = std::atoi(text.c_str());
    for (const UsbPrinter& p : printers) slot = std::max(slot, p.slot + 1);
    printer.slot = slot;
    printers.push_back(std::move(printer));
    if (!ReplaceWholeFile(machine.stateDir() / "usb_next_slot.txt", std::to_string(slot + 1)) ||
        !Save(machine, printers)) {
        error = "the machine's USB state cannot be written";
        return false;
    }
    return true;
}

int DetachUsbPrinters(const Machine& machine, std::optional<int> internalId) {
    MachineLock lock(machine.dir());
    std::vector<UsbPrinter> printers = Load(machine);
    const auto removed = std::erase_if(printers, [&](const UsbPrinter& p) {
        return !internalId || p.internalId == *internalId;
    });
    if (removed > 0) Save(machine, printers);
    return static_cast<int>(removed);
}

int SetUsbPrinterFaults(const Machine& machine, int internalId, std::optional<bool> answering,
                        std::optional<bool> writeFails) {
    MachineLock lock(machine.dir());
    std::vector<UsbPrinter> printers = Load(machine);
    int changed = 0;
    for (UsbPrinter& p : printers) {
        if (p.internalId != internalId) continue;
        if (answering) p.answering = *answering;
        if (writeFails) p.writeFails = *writeFails;
        ++changed;
    }
    if (changed > 0) Save(machine, printers);
    return changed;
}

bool WriteToUsbPrinter(const Machine& machine, int slot, const std::uint8_t* bytes,
                       std::uint32_t count) {
    MachineLock lock(machine.dir());
    std::vector<UsbPrinter> printers = Load(machine);
    for (UsbPrinter& p : printers) {
        if (p.slot != slot) continue;
        if (p.writeFails) return false;
        const std::string_view chunk(reinterpret_cast<const char*>(bytes), count);
        p.received.append(chunk);
        if (auto id = IdSetByBytes(chunk)) p.internalId = *id;
        return Save(machine, printers);
    }
    return false;
}

int UsbPortNumberOfName(std::string_view port) {
    if (port.size() < 4 || (port.substr(0, 4) != "USB_" && port.substr(0, 4) != "usb_")) return 0;
    for (int n = 4; n >= 1; --n)
        if (port.find("_" + std::to_string(n)) != std::string_view::npos) return n;
    return 0;
}

int UsbPortNumberOf(const UsbPrinter& printer) {
    const int reported = printer.internalId == 0 ? 8 : printer.internalId;
    return ((reported % 8) + 8) % 8 + 1;
}

bool DeliverJobToUsbPrinter(const Machine& machine, std::string_view port, const std::uint8_t* bytes,
                            std::uint32_t count) {
    const int number = UsbPortNumberOfName(port);
    if (number == 0) return false;
    for (const UsbPrinter& p : ReadUsbPrinters(machine))
        if (UsbPortNumberOf(p) == number) return WriteToUsbPrinter(machine, p.slot, bytes, count);
    return false;
}

std::optional<int> IdSetByBytes(std::string_view bytes) {
    const std::string_view prefix(reinterpret_cast<const char*>(kUsbIdCommandPrefix.data()),
                                  kUsbIdCommandPrefix.size());
    std::optional<int> id;
    for (std::size_t at = bytes.find(prefix); at != std::string_view::npos;
         at = bytes.find(prefix, at + 1)) {
        if (at + prefix.size() < bytes.size())
            id = static_cast<unsigned char>(bytes[at + prefix.size()]);
    }
    return id;
}

}  // namespace sim
