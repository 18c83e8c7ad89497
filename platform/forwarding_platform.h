// A platform that hands every concern to another one. Decorators (a read cache, a watched
// desktop, a stand-in for one interface) derive from it and override only what they change, so
// a new concern on plat::Platform is forwarded everywhere by this one class.
#pragma once
#include "platform/platform.h"

namespace plat {

class ForwardingPlatform : public Platform {
public:
    explicit ForwardingPlatform(Platform& inner) : inner_(inner) {}

    Profile& profile() override { return inner_.profile(); }
    FileSystem& files() override { return inner_.files(); }
    SystemInfo& system() override { return inner_.system(); }
    Desktop& desktop() override { return inner_.desktop(); }
    Registry& registry() override { return inner_.registry(); }
    LastError& lastError() override { return inner_.lastError(); }
    Dialogs& dialogs() override { return inner_.dialogs(); }
    RawPrinting& rawPrinting() override { return inner_.rawPrinting(); }
    PrinterSetup& printerSetup() override { return inner_.printerSetup(); }
    Forms& forms() override { return inner_.forms(); }
    DeviceInstallation& deviceInstallation() override { return inner_.deviceInstallation(); }
    Services& services() override { return inner_.services(); }
    Fonts& fonts() override { return inner_.fonts(); }
    UsbAccess& usbAccess() override { return inner_.usbAccess(); }
    FileVersions& fileVersions() override { return inner_.fileVersions(); }
    Shutdown& shutdown() override { return inner_.shutdown(); }
    TextRaster& textRaster() override { return inner_.textRaster(); }

protected:
    Platform& inner_;
};

}  // namespace plat
