// The plug-in's library as the host loaded it: its two exports and its module.
#pragma once
#include <memory>
#include <string>

#include "platform/module.h"
#include "plugin/com/OemUiTypes.h"
#include "tools/driverui/HostReport.h"

namespace driverui {

using GetClassObjectFn = plugin::com::HRESULT(PLUGIN_STDCALL*)(const plugin::com::CLSID&,
                                                                const plugin::com::IID&, void**);
using CanUnloadNowFn = plugin::com::HRESULT(PLUGIN_STDCALL*)();

class PluginModule {
public:
    // Unloads the library (FreeLibrary), saying so in the report.
    virtual ~PluginModule() = default;
    virtual GetClassObjectFn getClassObject() const = 0;
    virtual CanUnloadNowFn canUnloadNow() const = 0;
    // The module handle (hModule of the parameter blocks).
    virtual plat::ModuleRef module() const = 0;
};

// The printer the sheet is for, and which sheet.
enum class SheetKind { kDocument, kDevice };

struct HostRequest {
    std::string printer;     // as the spooler names it
    SheetKind sheet = SheetKind::kDocument;
    std::string pluginPath;  // Windows: a path given on the command line, else beside the host
    bool noPrinter = false;  // no printer handle (0): a Windows without the printer, as Wine
    int startPage = 0;       // the sheet's page shown first, counted from 0
};

// Finds and loads the printer's UI plug-in: on the simulated machine the file its driver names
// (the native build of the library stands behind it), on Windows ZK450iUI.dll. Null after a
// report line saying why not.
std::unique_ptr<PluginModule> LoadPluginModule(const HostRequest& request, HostReport& report);

}  // namespace driverui
