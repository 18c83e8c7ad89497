// The installation engine while it is being built. Its notes are message boxes, not debugger
// output: on Windows a person would otherwise see the wizard close without a word.
#include "setup/PendingInstallEngine.h"

#include <string>
#include <vector>

#include "package/LanguageText.h"
#include "package/OsDetection.h"
#include "setup/PortPage.h"
#include "setup/engine/UsbDriverDeployment.h"
#include "setup/engine/UsbIdentityCheck.h"
#include "setup/engine/VietnameseFonts.h"
#include "setup/resource.h"
#include "platform/win_constants.h"

namespace setup {

void PendingInstallEngine::InstallVietnameseFonts() {
    // The wizard goes on whether or not the folders could be listed.
    setup::InstallVietnameseFonts(platform_);
}

void PendingInstallEngine::FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                                        const WizardChoices& choices) {
    page.FillPortList(pageWindow, choices);
}

bool PendingInstallEngine::PrepareUsbPort(plat::DialogWindow& frame,
                                          const WizardChoices& choices) {
    const pkg::LanguageText messages(platform_, "Message");
    const std::string caption = frame.GetTitle();
    UsbIdContext usb{platform_.usbAccess(), platform_.desktop(), platform_.system(), messages,
                     frame.Ref(), caption};
    UsbDriverContext driver{platform_, is64Bit_, frame.Ref(), caption};
    // The system is asked again: the OS page's choice does not decide about device drivers.
    const int detectedOs = pkg::DetectOs(platform_.system()).index;
    const std::string installerTitle = pkg::LanguageText(platform_, "Setup").Get("CaptionName");
    PrepareUsbDriver(driver, usb, detectedOs, choices.typical, installerTitle);
    return CheckUsbPrinterBeforeInstall(usb, choices.typical, choices.portName);
}

InstallEngine::Outcome PendingInstallEngine::InstallAction(plat::DialogWindow& frame,
                                                            const WizardChoices& choices) {
    const bool usb = choices.portName.find("USB_") != std::string::npos;
    if (usb && !PrepareUsbPort(frame, choices)) return Outcome::StayOnLastPage;
    std::string text = "Install pressed (model \"" + choices.modelName + "\", " +
                       (choices.typical ? "Typical" : "Advanced") + " mode, OS index " +
                       std::to_string(choices.osIndex) +
                       (usb ? ", USB port prepared" : "") +
                       "): the installation engine is not built yet, so nothing was installed.";
    frame.MessageBox(text, frame.GetTitle(), MB_OK | MB_ICONWARNING);
    return Outcome::Finished;
}

}  // namespace setup
