// The two property-sheet contexts the plug-in object keeps: every page of a sheet receives its
// sheet's context as its page parameter.
#pragma once
#include "platform/platform.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugin {

struct DeviceSheetContext {
    com::HANDLE sheet = com::InvalidHandle();
    com::HANDLE lastPage = com::InvalidHandle();  // handle returned for the last page added
    com::PFNCOMPROPSHEET pfnComPropSheet = nullptr;
    com::OEMCUIPPARAM* commonUIParam = nullptr;   // of the latest CommonUIProp call
    com::IPrintOemDriverUI* driver = nullptr;     // copied when the device sheet is built
    // The plug-in object's platform, for the device pages' forms and raw jobs.
    plat::Platform* platform = nullptr;
};

struct DocSheetContext {
    com::HANDLE sheet = com::InvalidHandle();
    com::HANDLE addedSheet = com::InvalidHandle();  // handle returned for the last page added
    com::OEMUIPSPARAM* sheetParam = nullptr;        // the sheet's lParamInit
    com::OEMCUIPPARAM* commonUIParam = nullptr;     // of the latest CommonUIProp call
    com::PFNCOMPROPSHEET pfnComPropSheet = nullptr;
    com::IPrintOemDriverUI* driver = nullptr;       // copied when the document sheet is built
    // The platform of the plug-in object: the spooler, code page and messages of test prints.
    plat::Platform* platform = nullptr;

    // The private device mode the document pages edit in place (the sheet parameter's pOEMDM,
    // at whatever address the driver keeps it); null before the sheet is built or without one.
    OemDevmode* devmode() const {
        return sheetParam ? static_cast<OemDevmode*>(sheetParam->pOEMDM) : nullptr;
    }
};

}  // namespace plugin
