// The USB printer identity check that runs before an installation on a USB port.
#include "setup/engine/UsbIdentityCheck.h"

#include "platform/win_constants.h"

namespace setup {

namespace {

// The Yes/No question before a printer is renumbered; true for Yes.
bool AgreesToChangeId(UsbIdContext& c) {
    const std::string text = c.messages.Get("IDS_INF_CHANGEID");
    return c.desktop.MessageBoxA(c.owner, text.c_str(), c.caption.c_str(),
                                 MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CheckAdvanced(UsbIdContext& c, const std::string& portName) {
    const int id = QueryUsbPrinterId(c);
    if (id == kSeveralUsbPrinters) return false;
    if (id == kNoUsbPrinter) {
        const std::string text = c.messages.Get("IDS_ERR_NOUSBDEVICE");
        c.desktop.MessageBoxA(c.owner, text.c_str(), c.caption.c_str(), MB_OK | MB_ICONWARNING);
        return false;
    }
    const int printerPort = UsbPortNumberOfId(id);
    // printerPort is 1 to 8: one digit.
    const char mark[3] = {'_', static_cast<char>('0' + printerPort), 0};
    if (portName.find(mark) != std::string::npos) return true;
    const int chosenPort = UsbPortNumberOfName(portName);
    if (printerPort == chosenPort) return true;
    if (!AgreesToChangeId(c)) return false;
    if (!WriteUsbPrinterId(c, chosenPort)) {
        c.desktop.MessageBoxA(c.owner, "Failed to set Printer ID!", c.caption.c_str(),
                              MB_OK | MB_ICONWARNING);
        return false;
    }
    return true;
}

bool CheckTypical(UsbIdContext& c) {
    const int id = QueryUsbPrinterId(c);
    if (id == kNoUsbPrinter) return true;  // installed now, the printer is plugged in later
    if (id == kSeveralUsbPrinters) return false;
    if (UsbPortNumberOfId(id) == 1) return true;
    if (!AgreesToChangeId(c)) return false;
    return WriteUsbPrinterId(c, 1);
}

}  // namespace

bool CheckUsbPrinterBeforeInstall(UsbIdContext& context, bool typical,
                                  const std::string& portName) {
    return typical ? CheckTypical(context) : CheckAdvanced(context, portName);
}

}  // namespace setup
