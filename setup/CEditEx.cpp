// CEditEx: the document look of a read-only text box and its character filter.
#include "setup/CEditEx.h"

namespace setup {

void CEditEx::Attach(plat::DialogWindow& window) {
    // A read-only edit paints on the dialog's grey unless its parent answers for its colours.
    window.PaintItemAsWindow(id_);
}

CEditEx::Filtered CEditEx::FilterTyped(std::string_view typed) const {
    Filtered result;
    for (char c : typed) {
        if (!accepts_ || accepts_(c))
            result.kept += c;
        else
            ++result.beeps;
    }
    return result;
}

}  // namespace setup
