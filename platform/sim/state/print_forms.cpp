// The simulated print provider's forms: the built-in paper sizes and the user's forms, kept as
// values of the Forms key.
#include <algorithm>

#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

using namespace print_values;

namespace {

// A built-in form: the whole sheet is imageable.
SimForm Sheet(const char* name, std::int32_t cx, std::int32_t cy) {
    return SimForm{name, FORM_BUILTIN, cx, cy, 0, 0, cx, cy};
}

constexpr std::size_t kFormValueSize = 32;  // eight 32-bit numbers

void PutNumber(std::vector<std::uint8_t>& out, std::uint32_t value) {
    const std::vector<std::uint8_t> bytes = NumberBytes(value);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

std::uint32_t NumberAt(const std::vector<std::uint8_t>& data, std::size_t index) {
    const std::size_t at = index * 4;
    return std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 |
           std::uint32_t(data[at + 2]) << 16 | std::uint32_t(data[at + 3]) << 24;
}

std::vector<std::uint8_t> FormValue(const SimForm& form, std::uint32_t order) {
    std::vector<std::uint8_t> data;
    for (std::int32_t n : {form.cx, form.cy, form.left, form.top, form.right, form.bottom})
        PutNumber(data, static_cast<std::uint32_t>(n));
    PutNumber(data, order);
    PutNumber(data, form.flags);
    return data;
}

struct StoredForm {
    SimForm form;
    std::uint32_t order = 0;
};

// The user forms of the Forms key; a value of another type or size is not a form and is left
// out, as Windows' spooler skips what it cannot read.
std::vector<StoredForm> StoredForms(reg::Key* key) {
    std::vector<StoredForm> out;
    if (!key) return out;
    for (const auto& [folded, value] : key->values) {
        if (value.type != REG_BINARY || value.data.size() != kFormValueSize) continue;
        StoredForm stored;
        stored.form.name = value.name;
        std::int32_t* fields[] = {&stored.form.cx,   &stored.form.cy,    &stored.form.left,
                                  &stored.form.top,  &stored.form.right, &stored.form.bottom};
        for (std::size_t i = 0; i < 6; ++i)
            *fields[i] = static_cast<std::int32_t>(NumberAt(value.data, i));
        stored.order = NumberAt(value.data, 6);
        stored.form.flags = NumberAt(value.data, 7);
        out.push_back(stored);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const StoredForm& a, const StoredForm& b) { return a.order < b.order; });
    return out;
}

bool IsBuiltIn(const std::string& name) {
    const std::string folded = reg::Fold(name);
    const auto& forms = BuiltInForms();
    return std::any_of(forms.begin(), forms.end(),
                       [&](const SimForm& f) { return reg::Fold(f.name) == folded; });
}

// The size checks AddForm and SetForm share: a sheet of positive size with an imageable area
// that is not empty.
bool SizeIsValid(const SimForm& form) {
    return form.cx > 0 && form.cy > 0 && form.right > form.left && form.bottom > form.top;
}

}  // namespace

const std::vector<SimForm>& BuiltInForms() {
    static const std::vector<SimForm> forms = {
        Sheet("Letter", 215900, 279400),
        Sheet("Letter Small", 215900, 279400),
        Sheet("Tabloid", 279400, 431800),
        Sheet("Ledger", 431800, 279400),
        Sheet("Legal", 215900, 355600),
        Sheet("Statement", 139700, 215900),
        Sheet("Executive", 184150, 266700),
        Sheet("A3", 297000, 420000),
        Sheet("A4", 210000, 297000),
        Sheet("A4 Small", 210000, 297000),
        Sheet("A5", 148000, 210000),
        Sheet("B4 (JIS)", 257000, 364000),
        Sheet("B5 (JIS)", 182000, 257000),
        Sheet("Folio", 215900, 330200),
        Sheet("Quarto", 215000, 275000),
        Sheet("10x14", 254000, 355600),
        Sheet("11x17", 279400, 431800),
        Sheet("Note", 215900, 279400),
        Sheet("Envelope #9", 98425, 225425),
        Sheet("Envelope #10", 104775, 241300),
        Sheet("Envelope #11", 114300, 263525),
        Sheet("Envelope #12", 120650, 279400),
        Sheet("Envelope #14", 127000, 292100),
        Sheet("C size sheet", 431800, 558800),
        Sheet("D size sheet", 558800, 863600),
        Sheet("E size sheet", 863600, 1117600),
        Sheet("Envelope DL", 110000, 220000),
        Sheet("Envelope C5", 162000, 229000),
        Sheet("Envelope C3", 324000, 458000),
        Sheet("Envelope C4", 229000, 324000),
        Sheet("Envelope C6", 114000, 162000),
        Sheet("Envelope C65", 114000, 229000),
        Sheet("Envelope B4", 250000, 353000),
        Sheet("Envelope B5", 176000, 250000),
        Sheet("Envelope B6", 176000, 125000),
        Sheet("Envelope", 110000, 230000),
        Sheet("Envelope Monarch", 98425, 190500),
        Sheet("6 3/4 Envelope", 92075, 165100),
        Sheet("US Std Fanfold", 377825, 279400),
        Sheet("German Std Fanfold", 215900, 304800),
        Sheet("German Legal Fanfold", 215900, 330200),
    };
    return forms;
}

std::vector<SimForm> PrintProvider::Forms() const {
    std::vector<SimForm> out = BuiltInForms();
    const std::vector<std::string> key = HklmKey(print_keys::kForms);
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        for (const StoredForm& stored : StoredForms(tree.Find(key))) out.push_back(stored.form);
        return ERROR_SUCCESS;
    });
    return out;
}

std::uint32_t PrintProvider::AddForm(const SimForm& form) const {
    if (form.name.empty()) return ERROR_INVALID_FORM_NAME;
    if (form.flags & FORM_BUILTIN) return ERROR_INVALID_PARAMETER;
    if (!SizeIsValid(form)) return ERROR_INVALID_FORM_SIZE;
    if (IsBuiltIn(form.name)) return ERROR_FILE_EXISTS;
    const std::vector<std::string> key = HklmKey(print_keys::kForms);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        reg::Key& forms = tree.Create(key, created);
        if (forms.FindValue(form.name)) return ERROR_FILE_EXISTS;
        std::uint32_t order = 0;
        for (const StoredForm& stored : StoredForms(&forms)) order = std::max(order, stored.order);
        forms.SetValue(form.name, REG_BINARY, FormValue(form, order + 1));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::uint32_t PrintProvider::SetForm(const std::string& name, const SimForm& form) const {
    if (IsBuiltIn(name)) return ERROR_INVALID_PARAMETER;
    const std::vector<std::string> key = HklmKey(print_keys::kForms);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        reg::Key* forms = tree.Find(key);
        const reg::Value* value = forms ? forms->FindValue(name) : nullptr;
        if (!value || value->type != REG_BINARY || value->data.size() != kFormValueSize)
            return ERROR_INVALID_FORM_NAME;
        if (!SizeIsValid(form)) return ERROR_INVALID_FORM_SIZE;
        SimForm replaced = form;
        replaced.flags = NumberAt(value->data, 7);  // a user form stays one
        forms->SetValue(name, REG_BINARY, FormValue(replaced, NumberAt(value->data, 6)));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

std::uint32_t PrintProvider::DeleteForm(const std::string& name) const {
    if (IsBuiltIn(name)) return ERROR_INVALID_PARAMETER;
    const std::vector<std::string> key = HklmKey(print_keys::kForms);
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        reg::Key* forms = tree.Find(key);
        if (!forms || !forms->values.erase(reg::Fold(name))) return ERROR_INVALID_FORM_NAME;
        changed = true;
        return ERROR_SUCCESS;
    }));
}

}  // namespace sim
