// The class factory that makes plug-in objects for the universal driver.
#pragma once
#include <atomic>

#include "platform/platform.h"
#include "plugin/com/ModuleCounters.h"
#include "plugin/com/OemUiTypes.h"

namespace plugin {

class OemUiClassFactory final : public com::IClassFactory {
public:
    // Starts with one reference.
    OemUiClassFactory(plat::Platform& platform, ModuleCounters& counters)
        : platform_(platform), counters_(counters) {}

    com::HRESULT PLUGIN_STDCALL QueryInterface(const com::IID& riid, void** ppv) override;
    com::ULONG PLUGIN_STDCALL AddRef() override;
    com::ULONG PLUGIN_STDCALL Release() override;
    com::HRESULT PLUGIN_STDCALL CreateInstance(com::IUnknown* outer, const com::IID& riid,
                                               void** ppv) override;
    com::HRESULT PLUGIN_STDCALL LockServer(com::BOOL lock) override;

private:
    ~OemUiClassFactory() = default;  // only Release destroys the factory

    std::atomic<com::ULONG> references_{1};
    plat::Platform& platform_;
    ModuleCounters& counters_;
};

// DllGetClassObject on a given platform and counters: a factory for CLSID_OEMUI only.
com::HRESULT GetClassObject(plat::Platform& platform, ModuleCounters& counters,
                            const com::CLSID& rclsid, const com::IID& riid, void** ppv);

}  // namespace plugin
