// The port page (the wizard's last page): the ports a model offers, the serial line settings,
// the network printer's address, the raster option and the notice line.
#pragma once
#include <string>

#include "setup/PortRules.h"
#include "setup/WizardChoices.h"
#include "setup/WizardContext.h"
#include "setup/WizardPage.h"

namespace setup {

// The baud-rate list's entries, in list order.
inline constexpr const char* kBaudRateEntries[] = {"110",   "300",   "1200",  "2400",  "4800",
                                                   "9600",  "19200", "38400", "57600", "115200"};
inline constexpr int kBaudRateEntryCount = 10;

// The list entry a configured baud rate selects; a rate the list does not hold selects 38400.
int BaudRateEntry(int baudRate);

// The raster box's tooltip: "press F1 for help", in Chinese whatever the language file.
inline constexpr const char16_t* kRasterToolTip = u"\u6309\u201CF1\u201D\u67E5\u770B\u5E2E\u52A9";
inline constexpr int kRasterToolTipWidth = 200;

class PortPage : public WizardPage {
public:
    explicit PortPage(const WizardContext& context) : context_(context) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnShowWindow(plat::DialogWindow& window, bool shown) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;

    // The chosen port, the raster option, the serial settings and the address.
    bool SaveData(plat::DialogWindow& window) override;
    void Collect(WizardChoices& choices) const override;

    // The model's configured baud rate: remembered and selected in the list.
    void PreselectBaudRate(plat::DialogWindow& window, int baudRate);
    int baudRate() const { return serial_.baudRate; }

    // Called when the last page is entered: builds the port list for the chosen model, mode,
    // system and series, asks the attached USB printer for its port and preselects an entry.
    // The list is kept, with the person's choice, while model and mode stay the same.
    void FillPortList(plat::DialogWindow& window, const WizardChoices& choices);

    // The port list's selection changed.
    void OnPortChanged(plat::DialogWindow& window);

private:
    void FillPortListTypical(plat::DialogWindow& window);
    void FillPortListAdvanced(plat::DialogWindow& window);
    // Steps shared by both variants: the entries, the USB printer's port, the controls.
    void AddPorts(plat::DialogWindow& window);
    // The controls for the entry the list shows after a fill.
    void ApplySelectedEntry(plat::DialogWindow& window);

    void EnableSerial(plat::DialogWindow& window, bool enabled);
    void SetRaster(plat::DialogWindow& window, bool on);
    void ShowNotice(plat::DialogWindow& window, const char* messageKey);
    void HideNotice(plat::DialogWindow& window);
    // Whether the installed USB driver is missing on a system that needs it (OS index 2 up).
    bool UsbDriverMissing(plat::DialogWindow& window);
    std::string SelectedPort(plat::DialogWindow& window);

    const WizardContext& context_;
    // What the current list was built for.
    bool built_ = false;
    std::string builtModel_;
    bool builtTypical_ = true;
    // The fill's inputs, kept for OnPortChanged.
    WizardChoices request_;
    PortKeys keys_;
    int usbPort_ = 0;  // the attached USB printer's port number 1 to 8; 0: none answered

    // What SaveData took from the controls.
    std::string portName_;
    bool raster_ = false;
    SerialSettings serial_;
    std::uint32_t ipAddress_ = 0;
    std::string ipText_;
};

}  // namespace setup
