// The port page (the wizard's last page) as far as the wizard needs it: its captions and the
// baud-rate list that the OS gate preselects. The port list and its logic come with the port
// settings.
#pragma once
#include <string>

#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

// The baud-rate list's entries, in list order.
inline constexpr const char* kBaudRateEntries[] = {"110",   "300",   "1200",  "2400",  "4800",
                                                   "9600",  "19200", "38400", "57600", "115200"};
inline constexpr int kBaudRateEntryCount = 10;

// The list entry a configured baud rate selects; a rate the list does not hold selects 38400.
int BaudRateEntry(int baudRate);

class PortPage : public WizardPage {
public:
    explicit PortPage(const WizardContext& context) : context_(context) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;

    // The chosen port's text, empty when none is chosen.
    bool SaveData(plat::DialogWindow& window) override;
    void Collect(WizardChoices& choices) const override { choices.portName = portName_; }

    // The model's configured baud rate: remembered and selected in the list.
    void PreselectBaudRate(plat::DialogWindow& window, int baudRate);
    int baudRate() const { return baudRate_; }

private:
    const WizardContext& context_;
    int baudRate_ = 0;
    std::string portName_;
};

}  // namespace setup
