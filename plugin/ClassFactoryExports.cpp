// The plug-in library's two exported entry points (and, on Windows, its DLL entry point).
#include <cstdint>

#include "platform/property_sheet.h"
#include "plugin/com/ModuleState.h"
#include "plugin/com/OemUiClassFactory.h"

#if defined(_WIN32)
#define PLUGIN_EXPORT extern "C" __declspec(dllexport)
#else
#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using plugin::com::HRESULT;

PLUGIN_EXPORT HRESULT PLUGIN_STDCALL DllGetClassObject(const plugin::com::CLSID& rclsid,
                                                       const plugin::com::IID& riid, void** ppv) {
    if (!(rclsid == plugin::com::CLSID_OEMUI)) return CLASS_E_CLASSNOTAVAILABLE;
    plat::Platform* platform = plugin::LibraryPlatform();
    // Without a platform (natively: no simulated machine) no object could report anything, so
    // the class is not offered; the driver then runs without the plug-in.
    if (!platform) {
        if (ppv) *ppv = nullptr;
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return plugin::GetClassObject(*platform, plugin::LibraryCounters(), rclsid, riid, ppv);
}

PLUGIN_EXPORT HRESULT PLUGIN_STDCALL DllCanUnloadNow() {
    return plugin::LibraryCounters().CanUnload() ? S_OK : S_FALSE;
}

#if defined(_WIN32)
// Process attach only records the instance handle; nothing else is done at load time. Process
// detach releases the pages' activation context, if the sheets made one.
extern "C" int __stdcall DllMain(void* instance, unsigned long reason, void* /*reserved*/) {
    constexpr unsigned long kProcessDetach = 0;  // DLL_PROCESS_DETACH
    constexpr unsigned long kProcessAttach = 1;  // DLL_PROCESS_ATTACH
    if (reason == kProcessAttach) plugin::SetModuleInstance(instance);
    if (reason == kProcessDetach)
        plat::ReleaseModuleActivationContext(plat::ModuleRef{reinterpret_cast<std::uintptr_t>(instance)});
    return 1;
}
#endif
