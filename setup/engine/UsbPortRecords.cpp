// The USB port monitor's records under HKLM\SOFTWARE\VORTANE.
#include "setup/engine/UsbPortRecords.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/win_constants.h"
#include "setup/engine/Redirection.h"

namespace setup {

namespace {

constexpr int kPrinterPortSlots = 8;  // "D1" to "D8"

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

plat::RegView ViewOf(const UsbPortRecordsContext& c) {
    return c.is64Bit ? plat::RegView::View64 : plat::RegView::Default;
}

// Opens the key, or creates it when it cannot be opened.
bool OpenOrCreate(UsbPortRecordsContext& c, const char* key) {
    plat::Registry& registry = c.platform.registry();
    return registry.OpenKey(plat::RegRoot::LocalMachine, key, ViewOf(c)) == ERROR_SUCCESS ||
           registry.CreateKey(plat::RegRoot::LocalMachine, key, ViewOf(c)) == ERROR_SUCCESS;
}

void SetDword(UsbPortRecordsContext& c, const char* key, const char* name, std::uint32_t value) {
    c.platform.registry().SetValue(plat::RegRoot::LocalMachine, key, name, REG_DWORD,
                                   DwordBytes(value), ViewOf(c));
}

}  // namespace

void WriteUsbPortRecords(UsbPortRecordsContext& c, const std::string& usbPortName) {
    const std::uint32_t model = c.platform.profile().GetPrivateProfileIntA(
        "SUPPORTED-USB-DEVICE", usbPortName.c_str(), 0, c.setupIniPath.c_str());
    // The registry work runs with System32 redirection suspended on 64-bit Windows.
    std::optional<RedirectionSuspension> suspension;
    if (c.is64Bit) {
        suspension.emplace(c.platform, c.is64Bit);
        ShowRedirectionProblems(c.platform.desktop(), c.owner, c.caption.c_str(), *suspension);
    }
    if (OpenOrCreate(c, kUsbPortNameKey)) SetDword(c, kUsbPortNameKey, usbPortName.c_str(), model);
    if (OpenOrCreate(c, kPrinterPortKey)) {
        for (int i = 1; i <= kPrinterPortSlots; ++i) {
            const char slot[] = {'D', static_cast<char>('0' + i), '\0'};
            SetDword(c, kPrinterPortKey, slot, 0);
        }
    }
}

void WriteChosenUsbPortRecord(UsbPortRecordsContext& c, const std::string& portName) {
    if (c.platform.registry().OpenKey(plat::RegRoot::LocalMachine, kPrinterPortKey, ViewOf(c)) !=
        ERROR_SUCCESS)
        return;
    SetDword(c, kPrinterPortKey, portName.c_str(), 0);
}

}  // namespace setup
