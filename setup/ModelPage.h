// The model page: series and model, and whether the new printer becomes the default printer.
#pragma once
#include <string>

#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

class ModelPage : public WizardPage {
public:
    explicit ModelPage(const WizardContext& context) : context_(context) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    bool SaveData(plat::DialogWindow& window) override;
    bool HasModels() const override { return hasModels_; }
    void Collect(WizardChoices& choices) const override;

    // The chosen model (up to 199 characters), empty when none.
    const std::string& modelName() const { return modelName_; }
    // Series of the chosen model, -1 when none.
    int seriesIndex() const { return series_; }
    bool defaultPrinter() const { return defaultPrinter_; }

private:
    void SelectSeries(plat::DialogWindow& window, int series);
    void TakeSelectedModel(plat::DialogWindow& window, int series);

    const WizardContext& context_;
    std::string modelName_;
    int series_ = -1;
    bool defaultPrinter_ = false;
    bool hasModels_ = true;
};

}  // namespace setup
