// The "Utility" page: self-test and custom paper sizes.
#include "plugin/pages/UtilityPage.h"

#include <string>

#include "platform/module.h"
#include "platform/win_constants.h"
#include "plugin/commands/SelfTestJob.h"
#include "plugin/commands/SendRawJob.h"
#include "plugin/pages/ControlTableDialog.h"
#include "plugin/pages/UtilityPageIds.h"

namespace plugin {

namespace {

constexpr char kMessageCaption[] = "Custom Paper Size";
constexpr std::uint32_t kErrorBox = MB_OK | MB_ICONERROR;
// The size a first enumeration offers: too small for any list, so it asks for the size.
constexpr std::uint32_t kFirstEnumerationSize = 32;
// The typed name is read into a 256-character buffer.
constexpr std::size_t kTypedNameBuffer = 255;

std::u16string Decimal(std::uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Decimal(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

plat::PrinterHandle UtilityPage::printer() const {
    return sheet_.commonUIParam
               ? reinterpret_cast<plat::PrinterHandle>(sheet_.commonUIParam->hPrinter)
               : 0;
}

std::optional<std::vector<PaperForm>> UtilityPage::Forms(std::uint32_t firstSize) const {
    if (!sheet_.platform) return std::nullopt;
    return EnumeratePaperForms(sheet_.platform->forms(), printer(), firstSize);
}

bool UtilityPage::EnsureModelForm() {
    const auto forms = Forms(kFirstEnumerationSize);
    if (!forms) return false;
    for (const PaperForm& form : *forms)
        if (form.name == kModelFormName) return true;
    std::u16string name(kModelFormName);
    const plat::FORM_INFO_1W record = UserFormRecord(name, kModelFormWidth, kModelFormHeight);
    return sheet_.platform->forms().AddFormW(printer(), 1, record);
}

bool UtilityPage::OnInitDialog(plat::DialogWindow& window) {
    if (!EnsureModelForm()) return true;  // no limits, list or values
    window.SetEditLimit(IDC_UTILITY_FORM_NAME, kTypedNameLimit);
    window.SetEditLimit(IDC_UTILITY_WIDTH, 3);
    window.SetEditLimit(IDC_UTILITY_HEIGHT, 5);
    window.SetRange(IDC_UTILITY_WIDTH_UPDOWN, static_cast<int>(kWidthLimit.low),
                    static_cast<int>(kWidthLimit.high));
    window.SetRange(IDC_UTILITY_HEIGHT_UPDOWN, static_cast<int>(kHeightLimit.low),
                    static_cast<int>(kHeightLimit.high));
    window.SetItemTextW(IDC_UTILITY_WIDTH_HINT, u"[ 410 - 720 (0.1mm) ]");
    window.SetItemTextW(IDC_UTILITY_HEIGHT_HINT, u"[ 254 - 32760 (0.1mm) ]");
    FillList(window);
    return true;
}

void UtilityPage::FillList(plat::DialogWindow& window) {
    window.ResetList(IDC_UTILITY_FORMS);
    const auto forms = Forms(0);
    if (!forms) return;
    const PaperForm* model = nullptr;
    for (const PaperForm& form : *forms) {
        if (form.name != kModelFormName) continue;
        model = &form;
        window.SetItemTextW(IDC_UTILITY_WIDTH, Decimal(form.cx / kFormUnitsPerEditUnit));
        window.SetPosition(IDC_UTILITY_WIDTH_UPDOWN, form.cx / kFormUnitsPerEditUnit);
        window.SetPosition(IDC_UTILITY_HEIGHT_UPDOWN, form.cy / kFormUnitsPerEditUnit);
        // Here only a height below 100 mm reaches the edit; both sizes are shown in full once
        // the list is filled.
        if (form.cy < 100000)
            window.SetItemTextW(IDC_UTILITY_HEIGHT, Decimal(form.cy / kFormUnitsPerEditUnit));
        window.AddListItemW(IDC_UTILITY_FORMS, form.name);
    }
    for (const PaperForm& form : *forms)
        if (form.name != kModelFormName && IsCustomPaperName(form.name))
            window.AddListItemW(IDC_UTILITY_FORMS, form.name);

    if (window.ListCount(IDC_UTILITY_FORMS) > 0) {
        window.SetListSelection(IDC_UTILITY_FORMS, 0);
        window.SetItemTextW(IDC_UTILITY_FORM_NAME,
                            TypedPartOf(window.ListItemTextW(IDC_UTILITY_FORMS, 0)));
    }
    UpdateDeleteButton(window);
    if (model) ShowSize(window, model->cx, model->cy);
}

void UtilityPage::ShowSize(plat::DialogWindow& window, std::int32_t cx, std::int32_t cy) {
    window.SetItemTextW(IDC_UTILITY_WIDTH, Decimal(cx / kFormUnitsPerEditUnit));
    window.SetItemTextW(IDC_UTILITY_HEIGHT, Decimal(cy / kFormUnitsPerEditUnit));
}

void UtilityPage::UpdateDeleteButton(plat::DialogWindow& window) {
    const int selected = window.GetListSelection(IDC_UTILITY_FORMS);
    // The model's own form can be resized here but never deleted.
    window.EnableItem(IDC_UTILITY_DELETE,
                      selected >= 0 &&
                          window.ListItemTextW(IDC_UTILITY_FORMS, selected) != kModelFormName);
}

void UtilityPage::ShowSelection(plat::DialogWindow& window) {
    const int selected = window.GetListSelection(IDC_UTILITY_FORMS);
    const std::u16string name =
        selected >= 0 ? window.ListItemTextW(IDC_UTILITY_FORMS, selected) : std::u16string();
    window.SetItemTextW(IDC_UTILITY_FORM_NAME, TypedPartOf(name));
    UpdateDeleteButton(window);
    if (name.empty()) return;
    const auto forms = Forms(kFirstEnumerationSize);
    if (!forms) return;
    for (const PaperForm& form : *forms) {
        if (form.name != name) continue;
        ShowSize(window, form.cx, form.cy);
        return;
    }
}

std::uint32_t UtilityPage::ReadSize(plat::DialogWindow& window, int id, PaperLimit limit) {
    const ClampedValue size = ClampToLimit(ReadSignedNumber(window.GetItemTextW(id)), limit);
    if (size.corrected) window.SetItemTextW(id, Decimal(size.value));
    return size.value;
}

void UtilityPage::Save(plat::DialogWindow& window) {
    const std::uint32_t width = ReadSize(window, IDC_UTILITY_WIDTH, kWidthLimit);
    const std::uint32_t height = ReadSize(window, IDC_UTILITY_HEIGHT, kHeightLimit);
    const auto cx = static_cast<std::int32_t>(width) * kFormUnitsPerEditUnit;
    const auto cy = static_cast<std::int32_t>(height) * kFormUnitsPerEditUnit;

    const auto forms = Forms(kFirstEnumerationSize);
    if (!forms) return;
    std::u16string typed = window.GetItemTextW(IDC_UTILITY_FORM_NAME);
    if (typed.size() > kTypedNameBuffer) typed.resize(kTypedNameBuffer);

    for (const PaperForm& form : *forms) {
        if (!IsCustomPaperName(form.name) || TypedPartOf(form.name) != typed) continue;
        // A form of that name exists: it gets the new size, and the list stays as it is.
        std::u16string name = form.name;
        if (!sheet_.platform->forms().SetFormW(printer(), name.c_str(), 1,
                                               UserFormRecord(name, cx, cy)))
            window.MessageBox("Set custom paper size failed!", kMessageCaption, kErrorBox);
        return;
    }

    std::u16string name = std::u16string(kCustomPaperPrefix) + typed;
    if (!sheet_.platform->forms().AddFormW(printer(), 1, UserFormRecord(name, cx, cy))) {
        window.MessageBox("Set Custom Paper failed!", kMessageCaption, kErrorBox);
        return;
    }
    const int added = window.AddListItemW(IDC_UTILITY_FORMS, name);
    window.SetListSelection(IDC_UTILITY_FORMS, added);
    window.EnableItem(IDC_UTILITY_DELETE, true);
}

void UtilityPage::Delete(plat::DialogWindow& window) {
    const int selected = window.GetListSelection(IDC_UTILITY_FORMS);
    if (selected < 0 || !sheet_.platform) return;
    const std::u16string name = window.ListItemTextW(IDC_UTILITY_FORMS, selected);
    // A form the spooler refuses to delete stays listed and the user is told; one that is
    // already gone leaves the list as well.
    if (!sheet_.platform->forms().DeleteFormW(printer(), name.c_str()) &&
        sheet_.platform->lastError().GetLastError() != ERROR_INVALID_FORM_NAME) {
        window.MessageBox("Delete custom paper size failed!", kMessageCaption, kErrorBox);
        return;
    }
    window.DeleteListItem(IDC_UTILITY_FORMS, selected);
    const int count = window.ListCount(IDC_UTILITY_FORMS);
    window.SetListSelection(IDC_UTILITY_FORMS, selected < count ? selected : count - 1);
    ShowSelection(window);
}

void UtilityPage::EditControlTable(plat::DialogWindow& window) {
    if (!sheet_.platform) return;
    ControlTableDialog dialog(*sheet_.platform);
    window.RunModalChild(plat::ThisModule(), ControlTableDialog::kTemplateId, dialog);
}

void UtilityPage::PrintSelfTest() {
    if (!sheet_.platform) return;
    // Every failure ends what was opened and is silent.
    SendRawJob(sheet_.platform->rawPrinting(), sheet_.platform->lastError(), printer(),
               SelfTestJob());
}

bool UtilityPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    switch (id) {
        case IDC_UTILITY_SELFTEST:
            if (code == plat::kButtonClicked) PrintSelfTest();
            return true;
        case IDC_UTILITY_SAVE:
            if (code == plat::kButtonClicked) Save(window);
            return true;
        case IDC_UTILITY_DELETE:
            if (code == plat::kButtonClicked) Delete(window);
            return true;
        case IDC_UTILITY_FORMS:
            if (code == plat::kListSelChange) ShowSelection(window);
            return true;
        case IDC_UTILITY_FORM_NAME:
            if (code == plat::kEditChange) UpdateDeleteButton(window);
            return true;
        case IDC_UTILITY_CONTROL_FONT:
            if (code == plat::kButtonClicked) EditControlTable(window);
            return true;
        default:
            return false;
    }
}

plat::ApplyResult UtilityPage::OnApply(plat::DialogWindow&) {
    // Forms were changed by the buttons already; the driver only hears that the page agrees.
    if (sheet_.pfnComPropSheet)
        sheet_.pfnComPropSheet(sheet_.sheet, CPSFUNC_SET_RESULT,
                               reinterpret_cast<com::LPARAM>(sheet_.lastPage), CPSUI_OK);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
