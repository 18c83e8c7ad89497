// The USB access library on Windows: LoadLibraryA by name and GetProcAddress for its functions.
#pragma once
#include "platform/usb_access_library.h"

namespace win32 {

class Win32UsbAccess : public plat::UsbAccess {
public:
    std::unique_ptr<plat::UsbAccessLibrary> Load(const char* libraryName) override;
};

}  // namespace win32
