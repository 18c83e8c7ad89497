// Reading and rewriting the attached USB printer's internal ID through the USB access library.
#include "setup/engine/UsbPrinterId.h"

#include "platform/win_constants.h"

namespace setup {

namespace {

void Show(UsbIdContext& c, const std::string& text) {
    c.desktop.MessageBoxA(c.owner, text.c_str(), c.caption.c_str(), MB_OK | MB_ICONWARNING);
}

const char* const kCannotLoad = "Can not load KxUsbInt.dll";
const char* const kOpenFunctionError = "open function error";

}  // namespace

int UsbPortNumberOfId(int internalId) {
    int rest = internalId % 8;
    if (rest < 0) rest += 8;
    return rest + 1;
}

int UsbPortNumberOfName(std::string_view portName) {
    for (int n = 4; n >= 1; --n) {
        const char mark[3] = {'_', static_cast<char>('0' + n), 0};
        if (portName.find(mark) != std::string_view::npos) return n;
    }
    return 0;
}

std::array<std::uint8_t, 10> UsbIdCommand(int port) {
    std::array<std::uint8_t, 10> command{};
    command[0] = 0x1B;
    for (std::size_t i = 0; i < kPrinterAccessSequence.size(); ++i)
        command[1 + i] = kPrinterAccessSequence[i];
    command[6] = 0x1D;
    command[7] = 0x49;
    command[8] = 0x20;
    command[9] = static_cast<std::uint8_t>(port - 1);
    return command;
}

int QueryUsbPrinterId(UsbIdContext& c) {
    auto library = c.usb.Load(kUsbAccessLibraryName);
    if (!library) {
        Show(c, kCannotLoad);
        return kNoUsbPrinter;
    }
    if (!library->OpenDeviceX || !library->exportsGetDescriptor) {
        Show(c, kOpenFunctionError);
        return kNoUsbPrinter;
    }
    if (!library->GetPrinterInternalID) {
        Show(c, "GetPrinterInternalID function error");
        return kNoUsbPrinter;
    }
    if (!library->CloseDevice) {
        Show(c, kOpenFunctionError);
        return kNoUsbPrinter;
    }
    // Count the printers; every index is closed again, whatever it gave.
    int first = -1;
    for (int index = 0; index < kMaxUsbPortNumber; ++index) {
        const plat::UsbDeviceHandle handle = library->OpenDeviceX(index);
        const bool valid = plat::IsValidUsbDevice(handle);
        library->CloseDevice(handle);
        if (!valid) continue;
        if (first >= 0) {
            Show(c, c.messages.Get("IDS_ERR_ONEPRINTER"));
            return kSeveralUsbPrinters;
        }
        first = index;
    }
    if (first < 0) return kNoUsbPrinter;
    const plat::UsbDeviceHandle device = library->OpenDeviceX(first);
    if (!plat::IsValidUsbDevice(device)) return kNoUsbPrinter;
    const int id = library->GetPrinterInternalID(device);
    library->CloseDevice(device);
    if (id == 0) {
        Show(c, "Get Device ID error");
        return kNoUsbPrinter;
    }
    return id;
}

bool WriteUsbPrinterId(UsbIdContext& c, int port) {
    if (port < 1 || port > kMaxUsbPortNumber) return false;
    auto library = c.usb.Load(kUsbAccessLibraryName);
    if (!library) {
        Show(c, kCannotLoad);
        return false;
    }
    if (!library->OpenDeviceX || !library->uWrite || !library->CloseDevice) {
        Show(c, kOpenFunctionError);
        return false;
    }
    plat::UsbDeviceHandle device = 0;
    for (int index = 0; index < kMaxUsbPortNumber && !plat::IsValidUsbDevice(device); ++index)
        device = library->OpenDeviceX(index);
    if (!plat::IsValidUsbDevice(device)) {
        Show(c, "Can not find USB device.");
        return false;
    }
    const auto command = UsbIdCommand(port);
    if (library->uWrite(device, 0, command.data(), static_cast<std::uint32_t>(command.size())) <= 0) {
        library->CloseDevice(device);
        Show(c, "write ID error");
        return false;
    }
    library->CloseDevice(device);
    // The printer takes a moment to store its new ID before it is asked again.
    c.system.Sleep(1000);
    return true;
}

}  // namespace setup
