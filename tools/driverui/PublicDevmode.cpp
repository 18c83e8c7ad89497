// The public device mode's defaults and its form.
#include "tools/driverui/PublicDevmode.h"

#include <cstring>

namespace driverui {

PublicDevmode DefaultPublicDevmode(std::u16string_view printerName, std::uint16_t driverExtra,
                                   const FormChoice* form) {
    PublicDevmode dm;
    std::memset(&dm, 0, sizeof dm);
    dm.dmDeviceName.assign(printerName);
    dm.dmSpecVersion = kDevmodeSpecVersion;
    dm.dmSize = kPublicDevmodeSize;
    dm.dmDriverExtra = driverExtra;
    dm.dmFields = kDmOrientation;
    dm.dmOrientation = kOrientPortrait;
    if (form) SetForm(dm, *form);
    return dm;
}

void SetForm(PublicDevmode& devmode, const FormChoice& form) {
    devmode.dmFormName.assign(form.name);
    devmode.dmPaperSize = form.paperSize;
    devmode.dmFields = devmode.dmFields | kDmFormName | kDmPaperSize;
}

}  // namespace driverui
