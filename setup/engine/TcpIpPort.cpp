// Creating a Standard TCP/IP port for a network printer.
#include "setup/engine/TcpIpPort.h"

#include <cstring>

#include "platform/win_constants.h"

namespace setup {

namespace {

// Copies ASCII-range text into a wide array, cut so that the terminator always fits. The
// address comes from the IP control and the name from it, so 8-bit text is not expected; a
// byte beyond ASCII is kept as its code-page-free value.
template <std::size_t N>
void PutWide(char16_t (&field)[N], const std::string& text) {
    std::size_t i = 0;
    for (; i + 1 < N && i < text.size(); ++i) field[i] = static_cast<unsigned char>(text[i]);
    field[i] = 0;
}

// The system's text for an error, without its closing line break; "Error N" when the system
// has none, so the box never comes up empty.
std::string ErrorText(plat::Platform& platform, std::uint32_t code) {
    char buffer[1024] = {};
    const std::uint32_t n = platform.system().FormatMessageA(code, buffer, sizeof buffer);
    std::string text(buffer, n < sizeof buffer ? n : sizeof buffer - 1);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (text.empty()) text = "Error " + std::to_string(code);
    return text;
}

bool ShowError(plat::Platform& platform, plat::WindowRef owner, std::uint32_t code) {
    platform.desktop().MessageBoxA(owner, ErrorText(platform, code).c_str(), "ERROR",
                                   MB_OK | MB_ICONINFORMATION);
    return false;
}

}  // namespace

std::string TcpIpPortName(const std::string& addressText) { return "IP_" + addressText; }

plat::PORT_DATA_1 MakeTcpIpPortData(const std::string& portName, const std::string& addressText) {
    plat::PORT_DATA_1 data;
    std::memset(&data, 0, sizeof data);
    PutWide(data.sztPortName, portName);
    data.dwVersion = 1;
    data.dwProtocol = PROTOCOL_RAWTCP_TYPE;
    data.cbSize = sizeof data;
    data.dwReserved = 0;
    PutWide(data.sztHostAddress, addressText);
    PutWide(data.sztSNMPCommunity, "public");
    data.dwDoubleSpool = 1;
    data.dwPortNumber = kTcpIpPortNumber;
    data.dwSNMPEnabled = 0;
    data.dwSNMPDevIndex = 1;
    return data;
}

bool AddTcpIpPort(plat::Platform& platform, plat::WindowRef owner, const std::string& portName,
                  const std::string& addressText) {
    plat::PrinterSetup& spooler = platform.printerSetup();
    plat::PRINTER_DEFAULTSA defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    plat::PrinterHandle xcv = 0;
    if (!spooler.OpenPrinterA(kTcpIpMonitorXcv, xcv, &defaults))
        return ShowError(platform, owner, platform.lastError().GetLastError());

    const plat::PORT_DATA_1 data = MakeTcpIpPortData(portName, addressText);
    std::uint8_t input[sizeof data];
    std::memcpy(input, &data, sizeof data);
    std::uint8_t output[kXcvOutputSize] = {};
    std::uint32_t needed = 0, status = ERROR_SUCCESS;
    const bool ok = spooler.XcvDataW(xcv, u"AddPort", input, sizeof input, output, sizeof output,
                                     needed, status);
    const std::uint32_t callError = ok ? ERROR_SUCCESS : platform.lastError().GetLastError();
    spooler.ClosePrinter(xcv);
    if (!ok) return ShowError(platform, owner, callError);
    if (status != ERROR_SUCCESS) return ShowError(platform, owner, status);
    return true;
}

}  // namespace setup
