// The simulated machine as a platform: every concern bound to one machine and one process.
#pragma once
#include <memory>

#include "platform/platform.h"
#include "platform/sim/api/desktop.h"
#include "platform/sim/api/device_installation.h"
#include "platform/sim/api/file_versions.h"
#include "platform/sim/api/files.h"
#include "platform/sim/api/fonts.h"
#include "platform/sim/api/last_error.h"
#include "platform/sim/api/profile.h"
#include "platform/sim/api/registry.h"
#include "platform/sim/api/services.h"
#include "platform/sim/api/shutdown.h"
#include "platform/sim/api/spooler.h"
#include "platform/sim/api/system_info.h"
#include "platform/sim/api/text_raster.h"
#include "platform/sim/api/usb_access.h"
#include "platform/sim/process/shell.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/ui/dialogs.h"
#include "platform/sim/ui/message_boxes.h"

namespace sim {

// One simulated process: its stand-ins share its current directory, clock, printer handles,
// script and windows. The desktop's message boxes are answered by the script and its shell
// starts processes of the same machine.
class SimPlatform : public plat::Platform {
public:
    SimPlatform(Machine machine, ProcessContext process);
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    plat::Profile& profile() override { return profile_; }
    plat::FileSystem& files() override { return files_; }
    plat::SystemInfo& system() override { return system_; }
    plat::Desktop& desktop() override { return desktop_; }
    plat::Registry& registry() override { return registry_; }
    plat::LastError& lastError() override { return lastError_; }
    plat::Dialogs& dialogs() override { return dialogs_; }
    plat::RawPrinting& rawPrinting() override { return spooler_; }
    plat::PrinterSetup& printerSetup() override { return spooler_; }
    plat::Forms& forms() override { return spooler_; }
    plat::DeviceInstallation& deviceInstallation() override { return deviceInstallation_; }
    plat::Services& services() override { return services_; }
    plat::Fonts& fonts() override { return fonts_; }
    plat::UsbAccess& usbAccess() override { return usbAccess_; }
    plat::FileVersions& fileVersions() override { return fileVersions_; }
    plat::Shutdown& shutdown() override { return shutdown_; }
    plat::TextRaster& textRaster() override { return textRaster_; }

    const Machine& machine() const { return machine_; }
    const ProcessContext& process() const { return process_; }

private:
    Machine machine_;
    ProcessContext process_;
    SimLastError lastError_;
    SimFileSystem files_;
    SimProfile profile_;
    SimSystemInfo system_;
    SimDesktop desktop_;
    ScriptedAnswers answers_;
    ProcessShell shell_;
    SimRegistry registry_;
    SimDialogs dialogs_;
    SimSpooler spooler_;
    SimDeviceInstallation deviceInstallation_;
    SimServices services_;
    SimFonts fonts_;
    SimUsbAccess usbAccess_{machine_, process_};
    SimFileVersions fileVersions_;
    SimShutdown shutdown_{machine_, process_, lastError_};
    SimTextRaster textRaster_;
};

}  // namespace sim
