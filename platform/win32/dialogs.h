// Dialogs on Windows: DialogBoxParamA with a dialog procedure that forwards to the logic.
#pragma once
#include <windows.h>

#include "platform/dialog.h"

namespace win32 {

class Win32Dialogs : public plat::Dialogs {
public:
    Win32Dialogs();
    using plat::Dialogs::RunModal;
    int RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic) override;
    int RunPropertySheet(std::u16string_view caption, std::span<const plat::PROPSHEETPAGEW> pages,
                         int startPage) override;
};

}  // namespace win32
