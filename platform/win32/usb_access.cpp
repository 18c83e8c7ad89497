// The USB access library on Windows: the five functions looked up in the library loaded by name.
// They are taken as WINAPI functions whose handles are pointer-sized integers.
#include <windows.h>

#include "platform/win32/usb_access.h"

namespace win32 {

namespace {

using OpenDeviceXFn = INT_PTR(WINAPI*)(int);
using GetPrinterInternalIdFn = int(WINAPI*)(INT_PTR);
using UWriteFn = int(WINAPI*)(INT_PTR, int, const BYTE*, DWORD);
using CloseDeviceFn = void(WINAPI*)(INT_PTR);

// Holds the module while the functions taken from it are in use.
class LoadedLibrary : public plat::UsbAccessLibrary {
public:
    explicit LoadedLibrary(HMODULE module) : module_(module) {}
    ~LoadedLibrary() override { ::FreeLibrary(module_); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <typename Fn>
    Fn Find(const char* name) const {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_, name)));
    }

private:
    HMODULE module_;
};

}  // namespace

std::unique_ptr<plat::UsbAccessLibrary> Win32UsbAccess::Load(const char* libraryName) {
    HMODULE module = ::LoadLibraryA(libraryName);
    if (!module) return nullptr;
    auto library = std::make_unique<LoadedLibrary>(module);
    if (auto open = library->Find<OpenDeviceXFn>("OpenDeviceX"))
        library->OpenDeviceX = [open](int index) { return static_cast<plat::UsbDeviceHandle>(open(index)); };
    if (auto id = library->Find<GetPrinterInternalIdFn>("GetPrinterInternalID"))
        library->GetPrinterInternalID = [id](plat::UsbDeviceHandle h) { return id(static_cast<INT_PTR>(h)); };
    if (auto write = library->Find<UWriteFn>("uWrite"))
        library->uWrite = [write](plat::UsbDeviceHandle h, int flags, const std::uint8_t* bytes,
                                  std::uint32_t count) {
            return write(static_cast<INT_PTR>(h), flags, bytes, count);
        };
    if (auto close = library->Find<CloseDeviceFn>("CloseDevice"))
        library->CloseDevice = [close](plat::UsbDeviceHandle h) { close(static_cast<INT_PTR>(h)); };
    library->exportsGetDescriptor = ::GetProcAddress(module, "GetDescriptor") != nullptr;
    return library;
}

}  // namespace win32
