// The platform a deliverable runs on: one object that hands out every concern's interface.
//
// main() (or DllGetClassObject) makes it and passes it down; the simulated machine and the real
// Win32 implementation each provide one.
#pragma once
#include <memory>

#include "platform/desktop.h"
#include "platform/device_installation.h"
#include "platform/dialog.h"
#include "platform/file_versions.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/forms.h"
#include "platform/last_error.h"
#include "platform/printer_setup.h"
#include "platform/profile.h"
#include "platform/raw_printing.h"
#include "platform/registry.h"
#include "platform/services.h"
#include "platform/shutdown.h"
#include "platform/spooler.h"
#include "platform/system_info.h"
#include "platform/text_raster.h"
#include "platform/usb_access_library.h"

namespace plat {

class Platform {
public:
    virtual ~Platform() = default;
    virtual Profile& profile() = 0;
    virtual FileSystem& files() = 0;
    virtual SystemInfo& system() = 0;
    virtual Desktop& desktop() = 0;
    virtual Registry& registry() = 0;
    virtual LastError& lastError() = 0;
    virtual Dialogs& dialogs() = 0;
    // The spooler, by concern: raw jobs, and the setup of drivers, monitors, processors, ports,
    // printers and forms.
    virtual RawPrinting& rawPrinting() = 0;
    virtual PrinterSetup& printerSetup() = 0;
    // The print server's forms (paper sizes), reached through a printer handle.
    virtual Forms& forms() = 0;
    virtual DeviceInstallation& deviceInstallation() = 0;
    virtual Services& services() = 0;
    virtual Fonts& fonts() = 0;
    virtual UsbAccess& usbAccess() = 0;
    virtual FileVersions& fileVersions() = 0;
    // The token calls and ExitWindowsEx, to restart Windows.
    virtual Shutdown& shutdown() = 0;
    // The TrueType faces, the screen's resolution and memory bitmaps to draw text into (GDI).
    virtual TextRaster& textRaster() = 0;

};

// The platform of the running process: on Linux the simulated machine named by the
// environment that winsim sets up (null with a message on stderr when there is none), on
// Windows the real system.
std::unique_ptr<Platform> MakeProcessPlatform();

}  // namespace plat
