// The model page: one radio button and one drop-down list per series.
#include "setup/ModelPage.h"

#include "common/text.h"
#include "package/PackageConfig.h"
#include "setup/WizardChoices.h"
#include "setup/resource.h"

namespace setup {

namespace {

constexpr int kSeriesRadio[pkg::kSeriesCount] = {IDC_SERIES_RECEIPT, IDC_SERIES_TICKET,
                                            IDC_SERIES_LABEL, IDC_SERIES_EMBEDDED};
constexpr int kModelList[pkg::kSeriesCount] = {IDC_MODELS_RECEIPT, IDC_MODELS_TICKET,
                                          IDC_MODELS_LABEL, IDC_MODELS_EMBEDDED};
// Texts of section Series for the four radio buttons.
constexpr const char* kSeriesKey[pkg::kSeriesCount] = {"Receipt", "Ticket", "Label", "Embedded"};

// The model name buffer holds 200 characters with its terminator.
constexpr std::size_t kModelNameCapacity = 200;

std::string CutModelName(const std::string& text) {
    char buffer[kModelNameCapacity];
    common::CopyCut(buffer, sizeof buffer, text);
    return buffer;
}

// The series whose radio button or list has this id; -1 for any other control.
int SeriesOfControl(const int (&ids)[pkg::kSeriesCount], int id) {
    for (int s = 0; s < pkg::kSeriesCount; ++s)
        if (ids[s] == id) return s;
    return -1;
}

// The first entry, from the top, that begins with `prefix` regardless of letter case; -1 when
// none does (as CB_SELECTSTRING searches).
int FindEntryByPrefix(plat::DialogWindow& window, int list, const std::string& prefix) {
    int count = window.ListCount(list);
    for (int i = 0; i < count; ++i)
        if (common::StartsWithNoCase(window.ListItemText(list, i), prefix)) return i;
    return -1;
}

}  // namespace

bool ModelPage::OnInitDialog(plat::DialogWindow& window) {
    hasModels_ = true;
    for (const pkg::ModelEntry& entry : context_.catalog.models())
        window.AddListItem(kModelList[entry.series], entry.name);

    bool anyModel = false;
    for (int s = 0; s < pkg::kSeriesCount; ++s) {
        window.SetListSelection(kModelList[s], 0);
        window.EnableItem(kModelList[s], false);
    }
    for (int s = 0; s < pkg::kSeriesCount; ++s) {
        if (window.ListCount(kModelList[s]) == 0) {
            window.EnableItem(kSeriesRadio[s], false);
            window.EnableItem(kModelList[s], false);
        } else {
            anyModel = true;
        }
    }
    if (!anyModel) hasModels_ = false;

    const pkg::ModelEntry& preferred = context_.catalog.defaultModel();
    int series = preferred.series;
    if (series >= 0) {
        window.CheckButton(kSeriesRadio[series], true);
        int match = FindEntryByPrefix(window, kModelList[series], preferred.name);
        // Like CB_SELECTSTRING, a failed search leaves the selection as it was.
        if (match >= 0) window.SetListSelection(kModelList[series], match);
        TakeSelectedModel(window, series);
        window.EnableItem(kModelList[series], true);
    }
    series_ = series;

    ApplyFontMode(context_, window);
    return true;
}

void ModelPage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    pkg::LanguageText texts(context_.platform, "Series");
    window.SetItemText(IDC_SERIES_GROUP, texts.Get("Select"));
    for (int s = 0; s < pkg::kSeriesCount; ++s)
        window.SetItemText(kSeriesRadio[s], texts.Get(kSeriesKey[s]));
    window.SetItemText(IDC_DEFAULT_PRINTER, texts.Get("Default"));
}

bool ModelPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    int radioSeries = SeriesOfControl(kSeriesRadio, id);
    if (radioSeries >= 0 && code == plat::kButtonClicked) {
        SelectSeries(window, radioSeries);
        return true;
    }
    int listSeries = SeriesOfControl(kModelList, id);
    if (listSeries >= 0 && code == plat::kComboSelChange) {
        TakeSelectedModel(window, listSeries);
        return true;
    }
    return false;
}

void ModelPage::SelectSeries(plat::DialogWindow& window, int series) {
    // Only the chosen series' list can be used; each list keeps its own selection meanwhile.
    for (int s = 0; s < pkg::kSeriesCount; ++s) window.EnableItem(kModelList[s], false);
    TakeSelectedModel(window, series);
    window.EnableItem(kModelList[series], true);
    series_ = series;
}

void ModelPage::TakeSelectedModel(plat::DialogWindow& window, int series) {
    int list = kModelList[series];
    int selected = window.GetListSelection(list);
    modelName_ = selected >= 0 ? CutModelName(window.ListItemText(list, selected)) : std::string();
}

bool ModelPage::SaveData(plat::DialogWindow& window) {
    defaultPrinter_ = window.IsButtonChecked(IDC_DEFAULT_PRINTER);
    return true;
}

void ModelPage::Collect(WizardChoices& choices) const {
    choices.seriesIndex = series_;
    choices.modelName = modelName_;
    choices.defaultPrinter = defaultPrinter_;
}

}  // namespace setup
