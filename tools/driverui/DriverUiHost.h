// The universal driver's UI towards the plug-in: the calls it makes, in the documented order,
// to let the plug-in size and default its private device mode, merge a stored one, add its
// pages to the document or device sheet, and then the sheet itself and the storing of what the
// user applied.
#pragma once
#include <vector>

#include "platform/dialog.h"
#include "platform/raw_printing.h"
#include "tools/driverui/DevmodeStore.h"
#include "tools/driverui/HostReport.h"
#include "tools/driverui/PluginModule.h"
#include "tools/driverui/PublicDevmode.h"

namespace driverui {

// Exit statuses of the host.
inline constexpr int kHostDone = 0;    // the sheet was shown and closed (OK or Cancel)
inline constexpr int kHostFailed = 1;  // a step failed; the report says which

struct HostRun {
    plat::Dialogs& dialogs;
    HostReport& report;
    DevmodeStore& store;
    PluginModule& plugin;
    plat::PrinterHandle printer = 0;  // open on the request's printer
    std::vector<FormChoice> forms;    // the spooler's, in its order
};

// From DllGetClassObject to DllCanUnloadNow. The device mode is stored when the sheet closes
// with OK, or, as it stood when a page last reported CPSUI_OK, when it closes otherwise after
// an Apply; a sheet cancelled without an Apply stores nothing.
int RunDriverUi(const HostRequest& request, HostRun& run);

// The form a new device mode gets: "A4" when the spooler has it, else its first form; -1
// without forms.
int DefaultFormIndex(const std::vector<FormChoice>& forms);

// The sheet's caption: "<printer> Printing Preferences" (document) or "<printer> Properties".
std::u16string SheetCaption(const std::string& printer, SheetKind sheet);

}  // namespace driverui
