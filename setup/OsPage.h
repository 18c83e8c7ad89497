// The OS page: the detected Windows version (shown, not chosen) and the Vietnamese-font box.
#pragma once
#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

// The OS page's radio button of an OS index (1026 ... 1078); 0 outside 0..7.
int OsRadioId(int osIndex);

class OsPage : public WizardPage {
public:
    explicit OsPage(const WizardContext& context) : context_(context) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool SaveData(plat::DialogWindow& window) override;

    int osIndex() const { return osIndex_; }
    bool vietnameseFonts() const { return vietnameseFonts_; }
    void Collect(WizardChoices& choices) const override {
        choices.osIndex = osIndex_;
        choices.vietnameseFonts = vietnameseFonts_;
    }

private:
    const WizardContext& context_;
    int osIndex_ = 0;
    bool vietnameseFonts_ = false;
};

}  // namespace setup
