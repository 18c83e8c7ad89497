// What the wizard has collected when it reaches its last page, for the port page and the
// installation.
#pragma once
#include <cstdint>
#include <string>

#include "setup/engine/SerialSettings.h"

namespace setup {

struct WizardChoices {
    int seriesIndex = -1;
    std::string modelName;
    bool defaultPrinter = false;
    std::string setupIniPath;    // module-relative "DRVCONFIG\setup.ini"
    std::string seriesFilePath;  // module-relative series file of the chosen series; empty for none
    bool typical = true;
    int osIndex = 0;
    bool vietnameseFonts = false;  // the OS page's Vietnamese-font box
    std::string portName;          // the port page's chosen port; empty when none is chosen
    bool raster = false;           // "Raster Graphic Printing": the raster driver flavour
    SerialSettings serial;         // the port page's line settings
    std::uint32_t ipAddress = 0;   // the IP control's four bytes, first in the high byte
    std::string ipText;            // and its dotted text
};

}  // namespace setup
