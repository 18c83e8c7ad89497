// Reading a dialog template resource (DLGTEMPLATEEX or the older DLGTEMPLATE) for its control
// ids, so the driver can tell which template a dialog window on the screen was made from.
#pragma once
#include <cstdint>
#include <vector>

namespace windriver {

struct DialogTemplateInfo {
    std::uint32_t style = 0;
    std::vector<int> controlIds;  // in template order; 16-bit ids of DLGTEMPLATE sign-extended
};

// False when the bytes are not a whole template (a field or item runs past the end).
bool ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size, DialogTemplateInfo& out);

}  // namespace windriver
