// The paper-size option item over the spooler's forms.
#include "tools/driverui/FormOptionItem.h"

namespace driverui {

namespace com = plugin::com;

namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

}  // namespace

FormOptionItem::FormOptionItem(std::vector<FormChoice> forms) : forms_(std::move(forms)) {
    // Every text is in place before the records take pointers into them.
    names_.reserve(forms_.size());
    for (const FormChoice& form : forms_) names_.push_back(form.name);
    params_.resize(names_.size());
    for (std::size_t i = 0; i < names_.size(); ++i) {
        params_[i].cbSize = sizeof(com::OPTPARAM);
        params_[i].pData = names_[i].data();
    }
    type_.cbSize = sizeof(com::OPTTYPE);
    type_.Type = TVOT_LISTBOX;
    type_.Count = static_cast<com::WORD>(params_.size());
    type_.pOptParam = params_.empty() ? nullptr : params_.data();
    item_.cbSize = sizeof(com::OPTITEM);
    item_.pName = itemName_.data();
    item_.Sel = 0;
    item_.pOptType = &type_;
    item_.DMPubID = DMPUB_FORMNAME;
}

int FormOptionItem::IndexOf(std::u16string_view name) const {
    for (std::size_t i = 0; i < forms_.size(); ++i)
        if (EqualNoCase(forms_[i].name, name)) return static_cast<int>(i);
    return -1;
}

const FormChoice* FormOptionItem::Selected() const {
    if (item_.Sel < 0 || static_cast<std::size_t>(item_.Sel) >= forms_.size()) return nullptr;
    return &forms_[static_cast<std::size_t>(item_.Sel)];
}

bool FormOptionItem::TakeChanged() {
    if (!(item_.Flags & OPTIF_CHANGED)) return false;
    item_.Flags &= ~static_cast<com::DWORD>(OPTIF_CHANGED);
    return true;
}

}  // namespace driverui
