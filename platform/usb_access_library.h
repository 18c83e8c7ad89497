// The USB access library the programs load by name to reach attached USB printers: its five
// functions as LoadLibraryA and GetProcAddress find them, each possibly missing.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace plat {

// A device handle as the library gives it; 0 and -1 mean that there is no device.
using UsbDeviceHandle = std::intptr_t;

inline bool IsValidUsbDevice(UsbDeviceHandle h) { return h != 0 && h != -1; }

// One loaded copy of the library. A function the library does not export is empty; releasing
// the object releases the library (FreeLibrary).
class UsbAccessLibrary {
public:
    virtual ~UsbAccessLibrary() = default;

    // OpenDeviceX(index): the device at index 0 to 7.
    std::function<UsbDeviceHandle(int index)> OpenDeviceX;
    // GetPrinterInternalID(handle): the printer's internal ID; 0 on failure.
    std::function<int(UsbDeviceHandle)> GetPrinterInternalID;
    // uWrite(handle, 0, bytes, count): greater than 0 on success.
    std::function<int(UsbDeviceHandle, int, const std::uint8_t*, std::uint32_t)> uWrite;
    // CloseDevice(handle).
    std::function<void(UsbDeviceHandle)> CloseDevice;
    // GetDescriptor is never called, only required to be exported.
    bool exportsGetDescriptor = false;
};

class UsbAccess {
public:
    virtual ~UsbAccess() = default;
    // LoadLibraryA(name) and the five GetProcAddress look-ups; null when the library is not found.
    virtual std::unique_ptr<UsbAccessLibrary> Load(const char* libraryName) = 0;
};

}  // namespace plat
