// The installation engine while it is being built. Its notes are message boxes, not debugger
// output: on Windows a person would otherwise see the wizard close without a word.
#include "setup/PendingInstallEngine.h"

#include <string>
#include <vector>

#include "package/LanguageText.h"
#include "package/OsDetection.h"
#include "setup/PortPage.h"
#include "setup/PortRules.h"
#include "setup/engine/UsbDriverDeployment.h"
#include "setup/engine/UsbIdentityCheck.h"
#include "setup/engine/VietnameseFonts.h"
#include "setup/resource.h"
#include "platform/win_constants.h"
#include "package/ProfileReaders.h"

namespace setup {

namespace {
// The port combo box's text buffer holds 99 characters.
constexpr std::size_t kPortNameLength = 99;
}  // namespace

std::vector<std::string> OfferedUsbPorts(plat::Platform& platform, const WizardChoices& choices) {
    std::vector<std::string> ports;
    if (choices.seriesFilePath.empty() || choices.modelName.empty() || choices.osIndex == 1)
        return ports;
    const PortSection section = MakePortSection(choices.seriesFilePath, choices.modelName);
    if (pkg::ReadProfileInt(platform, section.file.c_str(), section.section.c_str(),
                            "USBSUPPORTED") == 0)
        return ports;
    const int count = choices.typical ? 1 : 4;
    for (int i = 1; i <= count; ++i) {
        std::string name = "USB_" + choices.modelName + "_" + std::to_string(i);
        if (name.size() > kPortNameLength) name.resize(kPortNameLength);
        ports.push_back(name);
    }
    return ports;
}

void PendingInstallEngine::InstallVietnameseFonts() {
    // The wizard goes on whether or not the folders could be listed.
    setup::InstallVietnameseFonts(platform_);
}

void PendingInstallEngine::FillPortList(PortPage&, plat::DialogWindow& pageWindow,
                                        const WizardChoices& choices) {
    // Only USB ports so far: the other kinds come with the port logic. Nothing is preselected.
    pageWindow.ResetList(IDC_PORTS);
    for (const std::string& port : OfferedUsbPorts(platform_, choices))
        pageWindow.AddListItem(IDC_PORTS, port);
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
