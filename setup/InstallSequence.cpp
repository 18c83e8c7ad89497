// The Install button: checks on the user-interface thread, the installation worker on its own,
// the progress dialog in between.
#include "setup/InstallSequence.h"

#include <thread>

#include "package/LanguageText.h"
#include "package/OsDetection.h"
#include "package/PackageConfig.h"
#include "platform/win_constants.h"
#include "setup/PortPage.h"
#include "setup/ProgressDialog.h"
#include "setup/engine/RestartWindows.h"
#include "setup/engine/TcpIpPort.h"
#include "setup/engine/UsbDriverDeployment.h"
#include "setup/engine/UsbIdentityCheck.h"
#include "setup/engine/UsbPortRecords.h"
#include "setup/engine/VietnameseFonts.h"
#include "setup/resource.h"

namespace setup {

const char* InstallRefusalKey(int osIndex, const OsSupport& support) {
    // Vista is left to the OS page's own gate; the button does not ask again.
    return osIndex == 5 ? nullptr : OsRefusalKey(osIndex, support);
}

void InstallSequence::InstallVietnameseFonts() {
    // The wizard goes on whether or not the folders could be listed.
    setup::InstallVietnameseFonts(context_.platform);
}

void InstallSequence::FillPortList(PortPage& page, plat::DialogWindow& pageWindow,
                                   const WizardChoices& choices) {
    page.FillPortList(pageWindow, choices);
}

void InstallSequence::Show(plat::DialogWindow& frame, const char* key) {
    ShowMessageKey(context_, frame, key);
}

InstallEngine::Outcome InstallSequence::InstallAction(plat::DialogWindow& frame,
                                                      const WizardChoices& choices) {
    InstallPlan plan;
    if (!PrepareInstallation(frame, choices, plan)) return Outcome::StayOnLastPage;

    const std::string result = RunWorker(frame, plan);
    ShowWizardMessage(context_, frame,
                      result.empty() ? context_.messages.Get("IDS_INF_NTRESTART") : result);
    // Also after a failure: one that needs a restart (a DLL in use) is completed by it.
    if (plan.request.os == 0) AskForRestart(frame);
    return Outcome::Finished;
}

bool InstallSequence::PrepareInstallation(plat::DialogWindow& frame, const WizardChoices& choices,
                                          InstallPlan& plan) {
    plat::Platform& platform = context_.platform;
    InstallRequest request;
    request.model = choices.modelName;
    request.series = choices.seriesIndex;
    request.os = choices.osIndex;
    request.flavour = choices.raster ? pkg::Flavour::Raster : pkg::Flavour::Standard;
    request.portName = choices.portName;
    request.is64Bit = context_.is64Bit;
    request.setAsDefault = choices.defaultPrinter;
    request.serial = choices.serial;

    if (request.model.empty()) {
        Show(frame, "IDS_ERR_SELPRINTER");
        return false;
    }
    const PortSection section = MakePortSection(choices.seriesFilePath, choices.modelName);
    if (const char* key = InstallRefusalKey(request.os, ReadOsSupport(platform, section))) {
        Show(frame, key);
        return false;
    }
    pkg::PortKind kind = pkg::kSerialPort;
    if (!PortKindOfName(request.portName, kind)) {
        Show(frame, "IDS_ERR_NOSUPPORTINTERFACE");
        return false;
    }
    const bool usb = kind == pkg::kUsbPort;
    if (usb) PrepareUsbDriverForPort(frame, choices);

    pkg::PackageConfig config(platform, context_.is64Bit);
    std::string error;
    if (!BuildInstallPlan(config, request, plan, error)) {
        Show(frame, error.c_str());
        return false;
    }
    if (kind == pkg::kNetworkPort && !CreateNetworkPort(frame, choices, plan)) return false;

    if (usb) {
        const pkg::LanguageText& messages = context_.messages;
        UsbIdContext id{platform.usbAccess(), platform.desktop(), platform.system(), messages,
                        frame.Ref(), frame.GetTitle()};
        if (!CheckUsbPrinterBeforeInstall(id, choices.typical, request.portName)) return false;
        UsbPortRecordsContext records{platform, context_.is64Bit, choices.setupIniPath,
                                      frame.Ref(), frame.GetTitle()};
        WriteUsbPortRecords(records, plan.records.printer.portName);
        if (request.os == 1) {
            Show(frame, "IDS_ERR_NOSUPPORTUSB");
            return false;
        }
    }
    return true;
}

// The device driver is deployed before the identity check: a printer that has no driver yet
// does not answer the query.
void InstallSequence::PrepareUsbDriverForPort(plat::DialogWindow& frame, const WizardChoices& choices) {
    plat::Platform& platform = context_.platform;
    const std::string caption = frame.GetTitle();
    UsbIdContext usb{platform.usbAccess(), platform.desktop(), platform.system(),
                     context_.messages, frame.Ref(), caption};
    UsbDriverContext driver{platform, context_.is64Bit, frame.Ref(), caption};
    // The system is asked again: the OS page's choice does not decide about device drivers.
    const int detectedOs = pkg::DetectOs(platform.system()).index;
    const std::string installerTitle = pkg::LanguageText(platform, "Setup").Get("CaptionName");
    PrepareUsbDriver(driver, usb, detectedOs, choices.typical, installerTitle);
}

bool InstallSequence::CreateNetworkPort(plat::DialogWindow& frame, const WizardChoices& choices,
                                        InstallPlan& plan) {
    if (choices.ipAddress == 0) {
        Show(frame, "IDS_ERR_IPADDRISNULL");
        return false;
    }
    const std::string portName = TcpIpPortName(choices.ipText);
    if (!AddTcpIpPort(context_.platform, frame.Ref(), portName, choices.ipText)) {
        Show(frame, "IDS_ERR_ADDPORTERROR");
        return false;
    }
    plan.request.networkPortName = portName;
    plan.records.printer.portName = portName;
    return true;
}

std::string InstallSequence::RunWorker(plat::DialogWindow& frame, InstallPlan& plan) {
    plat::Platform& platform = context_.platform;
    EngineContext engine(platform, context_.messages, plan.request.os, context_.is64Bit);
    engine.owner = frame.Ref();
    engine.caption = frame.GetTitle();
    InstallStatus status{kInstallRunning};

    frame.Minimize();
    // The worker reads the plan and writes the engine context; this thread touches neither
    // until it has joined the worker.
    std::thread worker([&] { RunInstallPlan(engine, plan, status); });
    ProgressDialog progress(platform, platform.system(), status, context_.gb2312Font);
    frame.RunModalChild(IDD_PROGRESS, progress);
    worker.join();
    succeeded_ = status.load() == kInstallSucceeded;
    return engine.result.str();
}

void InstallSequence::AskForRestart(plat::DialogWindow& frame) {
    const std::string caption = pkg::LanguageText(context_.platform, "Setup").Get("Caption");
    if (frame.MessageBox(context_.messages.Get("IDS_INF_RESTART"), caption,
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!RestartWindows(context_.platform)) Show(frame, "IDS_ERR_EXITWIN");
}

}  // namespace setup
