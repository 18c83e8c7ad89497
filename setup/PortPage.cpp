// The port page: its lists and captions, the port list per model and the reactions to the
// chosen port.
#include "setup/PortPage.h"

#include <cstdlib>
#include <string>

#include "setup/engine/UsbDriverDeployment.h"
#include "setup/engine/UsbPrinterId.h"
#include "setup/resource.h"

namespace setup {

namespace {
constexpr int kEntryOf38400 = 7;
constexpr int kSerialControls[] = {IDC_BAUD_RATE, IDC_PARITY, IDC_BYTE_SIZE, IDC_STOP_BITS,
                                   IDC_PROTOCOL};
constexpr int kByteSizeOf8 = 3;
constexpr int kStopBitsOf1 = 0;
constexpr int kParityNone = 2;
constexpr int kProtocolHardware = 2;

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The entry's index when it is in range, else the default's.
template <typename T, std::size_t N>
T ValueAt(const T (&values)[N], int index, T otherwise) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? values[index] : otherwise;
}
}  // namespace

int BaudRateEntry(int baudRate) {
    for (int i = 0; i < kBaudRateEntryCount; ++i)
        if (std::to_string(baudRate) == kBaudRateEntries[i]) return i;
    return kEntryOf38400;
}

bool PortPage::OnInitDialog(plat::DialogWindow& window) {
    // A template cannot carry a combo box's entries, so the page adds them when it is created.
    for (const char* entry : kBaudRateEntries) window.AddListItem(IDC_BAUD_RATE, entry);
    for (const char* entry : kByteSizeEntries) window.AddListItem(IDC_BYTE_SIZE, entry);
    for (const char* entry : kStopBitsEntries) window.AddListItem(IDC_STOP_BITS, entry);
    pkg::LanguageText texts(context_.platform, "Confirm");
    for (const char* key : kParityKeys) window.AddListItem(IDC_PARITY, texts.Get(key));
    for (const char* key : kProtocolKeys) window.AddListItem(IDC_PROTOCOL, texts.Get(key));
    window.SetListSelection(IDC_BYTE_SIZE, kByteSizeOf8);
    window.SetListSelection(IDC_STOP_BITS, kStopBitsOf1);
    window.SetListSelection(IDC_PARITY, kParityNone);
    window.SetListSelection(IDC_PROTOCOL, kProtocolHardware);
    // The one text of the wizard that is not the language file's: "press F1 for help".
    window.AddToolTip(IDC_RASTER, kRasterToolTip, kRasterToolTipWidth);
    ApplyFontMode(context_, window);
    return true;
}

void PortPage::OnShowWindow(plat::DialogWindow& window, bool shown) {
    if (!shown) return;
    pkg::LanguageText texts(context_.platform, "Confirm");
    window.SetItemText(IDC_PORT_GROUP, texts.Get("Set"));
    window.SetItemText(IDC_PORTS_LABEL, texts.Get("Ports"));
    window.SetItemText(IDC_SERIAL_GROUP, texts.Get("Com"));
    window.SetItemText(IDC_BAUD_LABEL, texts.Get("BaudRate"));
    window.SetItemText(IDC_PARITY_LABEL, texts.Get("Parity"));
    window.SetItemText(IDC_BYTE_SIZE_LABEL, texts.Get("ByteSize"));
    window.SetItemText(IDC_STOP_BITS_LABEL, texts.Get("StopBits"));
    window.SetItemText(IDC_PROTOCOL_LABEL, texts.Get("Protocol"));
    window.SetItemText(IDC_RASTER, texts.Get("Raster"));
}

bool PortPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (id != IDC_PORTS || code != plat::kComboSelChange) return false;
    OnPortChanged(window);
    return true;
}

bool PortPage::SaveData(plat::DialogWindow& window) {
    portName_ = SelectedPort(window);
    raster_ = window.IsButtonChecked(IDC_RASTER);
    const int baud = window.GetListSelection(IDC_BAUD_RATE);
    if (baud >= 0) serial_.baudRate = std::atoi(window.ListItemText(IDC_BAUD_RATE, baud).c_str());
    serial_.byteSize = std::atoi(ValueAt(kByteSizeEntries, window.GetListSelection(IDC_BYTE_SIZE), "8"));
    serial_.stopBits = std::atof(ValueAt(kStopBitsEntries, window.GetListSelection(IDC_STOP_BITS), "1"));
    // The lists hold the language file's texts in a fixed order, so the entry's place says
    // what it means whatever language the texts are in.
    serial_.parity = ValueAt(kParityLetters, window.GetListSelection(IDC_PARITY), 'n');
    serial_.protocol = ValueAt(kProtocolLetters, window.GetListSelection(IDC_PROTOCOL), 'p');
    window.GetIpAddress(IDC_IP_ADDRESS, ipAddress_);
    ipText_ = window.GetItemText(IDC_IP_ADDRESS);
    return true;
}

void PortPage::Collect(WizardChoices& choices) const {
    choices.portName = portName_;
    choices.raster = raster_;
    choices.serial = serial_;
    choices.ipAddress = ipAddress_;
    choices.ipText = ipText_;
}

void PortPage::PreselectBaudRate(plat::DialogWindow& window, int baudRate) {
    serial_.baudRate = baudRate;
    window.SetListSelection(IDC_BAUD_RATE, BaudRateEntry(baudRate));
}

void PortPage::FillPortList(plat::DialogWindow& window, const WizardChoices& choices) {
    // The list depends on model and mode only; the person's choice stays otherwise.
    if (built_ && builtModel_ == choices.modelName && builtTypical_ == choices.typical) return;
    built_ = true;
    builtModel_ = choices.modelName;
    builtTypical_ = choices.typical;
    request_ = choices;
    if (choices.typical)
        FillPortListTypical(window);
    else
        FillPortListAdvanced(window);
}

void PortPage::AddPorts(plat::DialogWindow& window) {
    window.ResetList(IDC_PORTS);
    keys_ = {};
    usbPort_ = 0;
    HideNotice(window);
    window.EnableItem(IDC_IP_ADDRESS, false);
    if (request_.seriesFilePath.empty() || request_.modelName.empty()) return;
    keys_ = ReadPortKeys(context_.platform,
                         MakePortSection(request_.seriesFilePath, request_.modelName));
    const PortListFor list{request_.modelName, request_.osIndex, request_.typical,
                           context_.is64Bit};
    for (const std::string& port : OfferedPorts(keys_, list)) window.AddListItem(IDC_PORTS, port);
    if (!keys_.com && request_.osIndex != 0) ShowNotice(window, "IDS_ERR_UNSUPPORTCOM");
    if (keys_.net) window.EnableItem(IDC_IP_ADDRESS, true);
    if (!OffersUsbPorts(keys_, request_.osIndex)) return;
    // Only a model with USB ports asks the printer; the answer decides the preselection.
    UsbIdContext usb{context_.platform.usbAccess(), context_.platform.desktop(),
                     context_.platform.system(), context_.messages, window.Ref(),
                     pkg::LanguageText(context_.platform, "Setup").Get("Caption")};
    const int id = QueryUsbPrinterId(usb);
    if (id != kNoUsbPrinter && id != kSeveralUsbPrinters) usbPort_ = UsbPortNumberOfId(id);
    EnableSerial(window, false);
    window.EnableItem(IDC_IP_ADDRESS, false);
}

namespace {
std::vector<std::string> ListEntries(plat::DialogWindow& window) {
    std::vector<std::string> entries;
    const int count = window.ListCount(IDC_PORTS);
    for (int i = 0; i < count; ++i) entries.push_back(window.ListItemText(IDC_PORTS, i));
    return entries;
}
}  // namespace

void PortPage::FillPortListTypical(plat::DialogWindow& window) {
    AddPorts(window);
    window.SetListSelection(IDC_PORTS, PreselectedPort(ListEntries(window), keys_, true, usbPort_));
    ApplySelectedEntry(window);
}

void PortPage::FillPortListAdvanced(plat::DialogWindow& window) {
    AddPorts(window);
    window.SetListSelection(IDC_PORTS, PreselectedPort(ListEntries(window), keys_, false, usbPort_));
    ApplySelectedEntry(window);
    // RASTERVISIABLE: 0 shows the box, 1 hides it, anything else leaves it as it is.
    if (keys_.rasterVisible == 0) window.ShowItem(IDC_RASTER, true);
    if (keys_.rasterVisible == 1) window.ShowItem(IDC_RASTER, false);
}

void PortPage::ApplySelectedEntry(plat::DialogWindow& window) {
    const std::string port = SelectedPort(window);
    if (Contains(port, "USB")) {
        const bool advancedWithoutPrinter = !request_.typical && usbPort_ == 0;
        if (UsbDriverMissing(window) || advancedWithoutPrinter)
            ShowNotice(window, request_.typical ? "IDS_ERR_UPDATEUSB" : "IDS_ERR_UPDATEUSBM");
        SetRaster(window, true);
    } else if (Contains(port, "LPT")) {
        HideNotice(window);
        SetRaster(window, true);
        EnableSerial(window, false);
        window.EnableItem(IDC_IP_ADDRESS, false);
    } else {
        HideNotice(window);
        SetRaster(window, false);
        if (request_.typical) EnableSerial(window, true);
        // A preselected network port needs its address, as when the person chooses it.
        window.EnableItem(IDC_IP_ADDRESS, Contains(port, "NET"));
    }
}

void PortPage::OnPortChanged(plat::DialogWindow& window) {
    const std::string port = SelectedPort(window);
    if (Contains(port, "COM")) {
        EnableSerial(window, true);
        SetRaster(window, false);
        HideNotice(window);
        window.EnableItem(IDC_IP_ADDRESS, false);
        return;
    }
    EnableSerial(window, false);
    window.EnableItem(IDC_IP_ADDRESS, false);
    if (Contains(port, "USB")) {
        SetRaster(window, true);
        if (UsbDriverMissing(window))
            ShowNotice(window, request_.typical ? "IDS_ERR_UPDATEUSB" : "IDS_ERR_UPDATEUSBM");
        else if (!request_.typical && usbPort_ == 0)
            ShowNotice(window, "IDS_ERR_UPDATEUSB");
        else
            HideNotice(window);
        return;
    }
    // A parallel or network port: the USB notice no longer applies. Network printers take the
    // standard flavour, as when the list preselects one.
    HideNotice(window);
    const bool network = Contains(port, "NET");
    SetRaster(window, !network);
    if (network) window.EnableItem(IDC_IP_ADDRESS, true);
}

void PortPage::EnableSerial(plat::DialogWindow& window, bool enabled) {
    for (int id : kSerialControls) window.EnableItem(id, enabled);
}

void PortPage::SetRaster(plat::DialogWindow& window, bool on) {
    window.EnableItem(IDC_RASTER, on);
    window.CheckButton(IDC_RASTER, on);
}

void PortPage::ShowNotice(plat::DialogWindow& window, const char* messageKey) {
    window.SetItemText(IDC_PORT_NOTICE, context_.messages.Get(messageKey));
    window.ShowItem(IDC_PORT_NOTICE, true);
}

void PortPage::HideNotice(plat::DialogWindow& window) { window.ShowItem(IDC_PORT_NOTICE, false); }

bool PortPage::UsbDriverMissing(plat::DialogWindow& window) {
    UsbDriverContext driver{context_.platform, context_.is64Bit, window.Ref(),
                            pkg::LanguageText(context_.platform, "Setup").Get("Caption")};
    return ShowsUsbDriverNotice(driver, request_.osIndex);
}

std::string PortPage::SelectedPort(plat::DialogWindow& window) {
    const int chosen = window.GetListSelection(IDC_PORTS);
    return chosen < 0 ? std::string() : window.ListItemText(IDC_PORTS, chosen);
}

}  // namespace setup
