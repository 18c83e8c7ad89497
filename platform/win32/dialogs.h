// Dialogs on Windows: DialogBoxParamA with a dialog procedure that forwards to the logic.
#pragma once
#include <windows.h>

#include "platform/dialog.h"

namespace win32 {

class Win32Dialogs : public plat::Dialogs {
public:
    // The templates are the program's own (the module that started the process); a DLL passes
    // its own module.
    explicit Win32Dialogs(HINSTANCE module = ::GetModuleHandleA(nullptr));
    int RunModal(int templateId, plat::DialogLogic& logic) override;

private:
    HINSTANCE module_;
};

}  // namespace win32
