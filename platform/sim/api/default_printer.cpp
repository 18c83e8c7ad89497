// The default printer in win.ini's [windows] "device" line.
#include "platform/sim/api/default_printer.h"

#include "platform/sim/api/ini_text.h"
#include "platform/sim/state/host_file.h"

namespace sim {

namespace {

std::filesystem::path WinIni(const Machine& machine) {
    return machine.HostPath(machine.settings().windowsDir + "\\win.ini");
}

}  // namespace

std::string DefaultPrinterName(const Machine& machine) {
    MachineLock lock(machine.dir());
    std::string text;
    if (!ReadWholeFile(WinIni(machine), text)) return {};
    const auto device = ini::Document(text).FindValue("windows", "device");
    if (!device) return {};
    return device->substr(0, device->find(','));
}

bool WriteDefaultPrinter(const Machine& machine, const std::string& name, const std::string& port) {
    MachineLock lock(machine.dir());
    std::string text;
    ReadWholeFile(WinIni(machine), text);  // a missing win.ini is made anew
    return ReplaceWholeFile(WinIni(machine),
                            ini::SetValue(text, "windows", "device", name + ",winspool," + port));
}

bool ClearDefaultPrinter(const Machine& machine) {
    MachineLock lock(machine.dir());
    std::string text;
    if (!ReadWholeFile(WinIni(machine), text)) return true;  // no win.ini, no default printer
    return ReplaceWholeFile(WinIni(machine), ini::DeleteKey(text, "windows", "device"));
}

}  // namespace sim
