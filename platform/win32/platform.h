// The real Windows system as a platform: every concern is a thin layer over its Win32 calls.
#pragma once
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/desktop.h"
#include "platform/win32/device_installation.h"
#include "platform/win32/dialogs.h"
#include "platform/win32/file_versions.h"
#include "platform/win32/files.h"
#include "platform/win32/fonts.h"
#include "platform/win32/last_error.h"
#include "platform/win32/profile.h"
#include "platform/win32/registry.h"
#include "platform/win32/services.h"
#include "platform/win32/shutdown.h"
#include "platform/win32/spooler.h"
#include "platform/win32/system_info.h"
#include "platform/win32/text_raster.h"
#include "platform/win32/usb_access.h"

namespace win32 {

class Win32Platform : public plat::Platform {
public:
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

private:
    Win32Profile profile_;
    Win32FileSystem files_;
    Win32SystemInfo system_;
    Win32Desktop desktop_;
    Win32Registry registry_;
    Win32LastError lastError_;
    Win32Dialogs dialogs_;
    Win32Spooler spooler_;
    Win32DeviceInstallation deviceInstallation_;
    Win32Services services_;
    Win32Fonts fonts_;
    Win32UsbAccess usbAccess_;
    Win32FileVersions fileVersions_;
    Win32Shutdown shutdown_;
    Win32TextRaster textRaster_;
};

}  // namespace win32
