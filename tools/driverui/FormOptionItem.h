// The driver's own paper-size option: one DMPUB_FORMNAME list item (TVOT_LISTBOX) whose choices
// are the spooler's forms, in the records the plug-in reads (OPTITEM, OPTTYPE, OPTPARAM).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "plugin/com/OemUiTypes.h"
#include "tools/driverui/PublicDevmode.h"

namespace driverui {

class FormOptionItem {
public:
    // The item lists the forms in the order given; Sel starts at 0. The records point into this
    // object, which therefore is neither copied nor moved.
    explicit FormOptionItem(std::vector<FormChoice> forms);
    FormOptionItem(const FormOptionItem&) = delete;
    FormOptionItem& operator=(const FormOptionItem&) = delete;

    plugin::com::OPTITEM* item() { return &item_; }
    const std::vector<FormChoice>& forms() const { return forms_; }

    // The index of the form with that name, letter case aside as the spooler compares form
    // names; -1 when the list lacks it.
    int IndexOf(std::u16string_view name) const;
    void Select(int index) { item_.Sel = index; }
    // The form Sel names; null when Sel is outside the list.
    const FormChoice* Selected() const;
    // True once when the item carries OPTIF_CHANGED: the flag is taken off, so the change is
    // acted on once.
    bool TakeChanged();

private:
    std::vector<FormChoice> forms_;
    std::vector<std::u16string> names_;  // pData of each choice
    std::u16string itemName_ = u"Paper Size";
    std::vector<plugin::com::OPTPARAM> params_;
    plugin::com::OPTTYPE type_{};
    plugin::com::OPTITEM item_{};
};

}  // namespace driverui
