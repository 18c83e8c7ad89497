// The port page's captions and baud-rate list.
#include "setup/PortPage.h"

#include <string>

#include "setup/resource.h"

namespace setup {

namespace {
constexpr int kEntryOf38400 = 7;
}  // namespace

int BaudRateEntry(int baudRate) {
    for (int i = 0; i < kBaudRateEntryCount; ++i)
        if (std::to_string(baudRate) == kBaudRateEntries[i]) return i;
    return kEntryOf38400;
}

bool PortPage::OnInitDialog(plat::DialogWindow& window) {
    // A template cannot carry a combo box's entries, so the page adds them when it is created.
    for (const char* entry : kBaudRateEntries) window.AddListItem(IDC_BAUD_RATE, entry);
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

bool PortPage::SaveData(plat::DialogWindow& window) {
    const int chosen = window.GetListSelection(IDC_PORTS);
    portName_ = chosen < 0 ? std::string() : window.ListItemText(IDC_PORTS, chosen);
    return true;
}

void PortPage::PreselectBaudRate(plat::DialogWindow& window, int baudRate) {
    baudRate_ = baudRate;
    window.SetListSelection(IDC_BAUD_RATE, BaudRateEntry(baudRate));
}

}  // namespace setup
