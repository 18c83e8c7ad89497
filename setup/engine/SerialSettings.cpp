// Serial line settings for the NT family (the Ports key) and Windows 98/Me (DCB and win.ini).
#include "setup/engine/SerialSettings.h"

#include <cstdio>
#include <vector>

#include "platform/win_constants.h"

namespace setup {

namespace {

constexpr const char* kNtPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
// The serial port class keys of Windows 98/Me: "...\Ports\0000" to "...\Ports\0003".
constexpr const char* kPortClassKeyFormat = "System\\CurrentControlSet\\Services\\Class\\Ports\\000%d";
constexpr int kPortClassKeys = 4;

bool IsOneAndAHalf(double stopBits) { return stopBits > 1.25 && stopBits < 1.75; }

std::uint8_t ParityCode(char parity) {
    switch (parity) {
        case 'o': return ODDPARITY;
        case 'e': return EVENPARITY;
        case 'm': return MARKPARITY;
        case 's': return SPACEPARITY;
        default: return NOPARITY;
    }
}

std::uint8_t StopBitsCode(double stopBits) {
    if (IsOneAndAHalf(stopBits)) return ONE5STOPBITS;
    return stopBits > 1.75 ? TWOSTOPBITS : ONESTOPBIT;
}

std::vector<std::uint8_t> TextBytes(const std::string& text) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

// The class key of the n-th (1-based) serial port: the n-th of the four keys whose one-byte
// PortSubClass is 1. Empty when there is none.
std::string SerialPortClassKey(plat::Registry& registry, int portNumber) {
    int found = 0;
    for (int i = 0; i < kPortClassKeys; ++i) {
        char key[80];
        std::snprintf(key, sizeof key, kPortClassKeyFormat, i);
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        if (registry.QueryValue(plat::RegRoot::LocalMachine, key, "PortSubClass", type, data,
                                plat::RegView::Default) != ERROR_SUCCESS)
            continue;
        if (data.size() == 1 && data[0] == 1 && ++found == portNumber) return key;
    }
    return {};
}

}  // namespace

std::string SerialSettingsText(const SerialSettings& s) {
    char text[64];
    std::snprintf(text, sizeof text, IsOneAndAHalf(s.stopBits) ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c",
                  s.baudRate, s.parity, s.byteSize, s.stopBits, s.protocol);
    return text;
}

plat::DCB MakeDcb(const SerialSettings& s) {
    plat::DCB d{};
    d.DCBlength = sizeof(plat::DCB);
    d.BaudRate = static_cast<std::uint32_t>(s.baudRate);
    d.flags = plat::kDcbBinary;
    if (s.protocol == 'p')
        d.flags |= plat::kDcbOutxCtsFlow | (RTS_CONTROL_ENABLE << plat::kDcbRtsControlShift);
    if (s.protocol == 'x') {
        d.flags |= plat::kDcbOutX | plat::kDcbInX;
        d.XonChar = 0x11;
        d.XoffChar = 0x13;
    }
    if (s.parity != 'n') d.flags |= plat::kDcbParity | plat::kDcbErrorChar;
    d.ByteSize = static_cast<std::uint8_t>(s.byteSize);
    d.Parity = ParityCode(s.parity);
    d.StopBits = StopBitsCode(s.stopBits);
    return d;
}

std::string SystemComPortName(const std::string& portName) {
    const std::size_t at = portName.find("COM");
    return at == std::string::npos ? std::string() : portName.substr(at);
}

void WriteSerialSettings(plat::Platform& platform, bool is64Bit, const std::string& portName,
                         const SerialSettings& settings) {
    const std::string valueName = SystemComPortName(portName);
    if (valueName.empty()) return;
    const plat::RegView view = is64Bit ? plat::RegView::View64 : plat::RegView::Default;
    plat::Registry& registry = platform.registry();
    if (registry.OpenKey(plat::RegRoot::LocalMachine, kNtPortsKey, view) != ERROR_SUCCESS) return;
    registry.SetValue(plat::RegRoot::LocalMachine, kNtPortsKey, valueName.c_str(), REG_SZ,
                      TextBytes(SerialSettingsText(settings)), view);
}

void WriteSerialSettings98(plat::Platform& platform, int portNumber, const std::string& portName,
                           const SerialSettings& settings) {
    if (portNumber == 1 || portNumber == 2) {
        const std::string key = SerialPortClassKey(platform.registry(), portNumber);
        if (!key.empty()) {
            const auto bytes = plat::DcbBytes(MakeDcb(settings));
            platform.registry().SetValue(plat::RegRoot::LocalMachine, key.c_str(), "DCB", REG_NONE,
                                         std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                                         plat::RegView::Default);
        }
    }
    const std::string key = SystemComPortName(portName);
    if (key.empty()) return;
    plat::Profile& profile = platform.profile();
    profile.WriteProfileStringA("Ports", key.c_str(), SerialSettingsText(settings).c_str());
    platform.desktop().NotifyWinIniChange("Ports");
    // Null section, key and value: the profile cache goes to disk now.
    profile.WriteProfileStringA(nullptr, nullptr, nullptr);
}

}  // namespace setup
