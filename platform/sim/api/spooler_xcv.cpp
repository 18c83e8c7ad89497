// Monitor configuration handles on the simulated spooler: OpenPrinterA on ",XcvMonitor NAME"
// and the Standard TCP/IP monitor's "AddPort" through XcvDataW.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/text.h"
#include "platform/sim/api/spooler.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr std::string_view kXcvMonitor = ",XcvMonitor ";
constexpr std::string_view kXcvPort = ",XcvPort ";

std::string TextOf(const char* text) { return text ? text : ""; }

// A wide text of a fixed array as ASCII: false when it is not terminated within the array or
// holds a character beyond ASCII (port names and addresses are kept as 8-bit text).
template <std::size_t N>
bool FieldText(const char16_t (&field)[N], std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < N; ++i) {
        if (field[i] == 0) return true;
        if (field[i] > 0x7F) return false;
        out += static_cast<char>(field[i]);
    }
    return false;
}

std::string Narrow(const char16_t* text) {
    std::string out;
    for (; text && *text; ++text) out += *text < 0x80 ? static_cast<char>(*text) : '?';
    return out;
}

// The monitor's answer to "AddPort": a status code.
std::uint32_t AddPortStatus(const PrintProvider& provider, const std::uint8_t* input,
                            std::uint32_t inputSize) {
    if (!input || inputSize < sizeof(plat::PORT_DATA_1)) return ERROR_INVALID_PARAMETER;
    plat::PORT_DATA_1 data;
    std::memcpy(&data, input, sizeof data);  // the caller's buffer need not be aligned
    if (data.dwVersion != 1 || data.cbSize != sizeof data) return ERROR_INVALID_PARAMETER;
    SimTcpIpPort port;
    if (!FieldText(data.sztPortName, port.name) || !FieldText(data.sztHostAddress, port.hostAddress) ||
        !FieldText(data.sztSNMPCommunity, port.snmpCommunity) || !FieldText(data.sztQueue, port.queue))
        return ERROR_INVALID_PARAMETER;
    port.protocol = data.dwProtocol;
    port.version = data.dwVersion;
    port.portNumber = data.dwPortNumber;
    port.snmpEnabled = data.dwSNMPEnabled != 0;
    port.snmpIndex = data.dwSNMPDevIndex;
    port.doubleSpool = data.dwDoubleSpool != 0;
    return provider.AddTcpIpPort(port);
}

}  // namespace

bool SimSpooler::OpenPrinterA(const char* name, plat::PrinterHandle& out,
                              const plat::PRINTER_DEFAULTSA* defaults) {
    out = 0;
    const std::string text = TextOf(name);
    if (!common::StartsWithNoCase(text, ",Xcv")) {
        if (!OpenPrinterA(name, out)) return false;
        // The handle keeps the rights asked for (none: the default, use); administering or
        // deleting a printer is for administrators only.
        const std::uint32_t access = defaults && defaults->DesiredAccess ? defaults->DesiredAccess
                                                                         : PRINTER_ACCESS_USE;
        if ((access & ~std::uint32_t(PRINTER_ACCESS_USE)) && !machine_.settings().administrator) {
            handles_.erase(out);
            out = 0;
            return Fail(ERROR_ACCESS_DENIED);
        }
        handles_[out].access = access;
        return true;
    }
    if (Faulted("OpenPrinterA", text) || SpoolerDown()) return false;
    if (common::StartsWithNoCase(text, kXcvPort)) {
        std::fprintf(stderr, "simulator: OpenPrinterA on a port's configuration (%s) is not "
                             "simulated\n", text.c_str());
        return Fail(ERROR_NOT_SUPPORTED);
    }
    if (!common::StartsWithNoCase(text, kXcvMonitor)) return Fail(ERROR_INVALID_PRINTER_NAME);
    const std::string monitor = text.substr(kXcvMonitor.size());
    std::string found;
    for (const SimMonitor& m : provider_.Monitors())
        if (common::EqualsNoCase(m.name, monitor)) found = m.name;
    if (found.empty()) return Fail(ERROR_INVALID_PRINTER_NAME);
    if (!defaults || !(defaults->DesiredAccess & SERVER_ACCESS_ADMINISTER) ||
        !machine_.settings().administrator)
        return Fail(ERROR_ACCESS_DENIED);
    out = nextHandle_;
    nextHandle_ += 4;
    OpenPrinter handle;
    handle.xcvMonitor = found;
    handles_[out] = handle;
    return true;
}

bool SimSpooler::XcvDataW(plat::PrinterHandle xcv, const char16_t* dataName,
                          const std::uint8_t* input, std::uint32_t inputSize, std::uint8_t*,
                          std::uint32_t, std::uint32_t& needed, std::uint32_t& status) {
    needed = 0;
    status = ERROR_SUCCESS;
    const auto it = handles_.find(xcv);
    const std::string monitor = it == handles_.end() ? std::string() : it->second.xcvMonitor;
    if (Faulted("XcvDataW", monitor) || SpoolerDown()) return false;
    if (monitor.empty()) return Fail(ERROR_INVALID_HANDLE);
    const std::string command = Narrow(dataName);
    if (!common::EqualsNoCase(monitor, kTcpIpMonitor) || command != "AddPort") {
        std::fprintf(stderr, "simulator: XcvDataW \"%s\" to the monitor \"%s\" is not simulated\n",
                     command.c_str(), monitor.c_str());
        status = ERROR_NOT_SUPPORTED;
        return true;
    }
    status = AddPortStatus(provider_, input, inputSize);
    return true;
}

}  // namespace sim
