// The class factory that makes plug-in objects for the universal driver.
#include "plugin/com/OemUiClassFactory.h"

#include <new>

#include "plugin/com/OemUiPlugin.h"

namespace plugin {

com::HRESULT OemUiClassFactory::QueryInterface(const com::IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == com::IID_IUnknown || riid == com::IID_IClassFactory) {
        *ppv = static_cast<com::IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

com::ULONG OemUiClassFactory::AddRef() { return ++references_; }

com::ULONG OemUiClassFactory::Release() {
    const com::ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

com::HRESULT OemUiClassFactory::CreateInstance(com::IUnknown* outer, const com::IID& riid,
                                               void** ppv) {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* plugin = new (std::nothrow) OemUiPlugin(platform_, counters_);
    if (!plugin) return E_OUTOFMEMORY;
    // The object's own reference ends here: it lives on only if the query handed one out.
    const com::HRESULT result = plugin->QueryInterface(riid, ppv);
    plugin->Release();
    return result;
}

com::HRESULT OemUiClassFactory::LockServer(com::BOOL lock) {
    if (lock)
        ++counters_.locks;
    else
        --counters_.locks;
    return S_OK;
}

com::HRESULT GetClassObject(plat::Platform& platform, ModuleCounters& counters,
                            const com::CLSID& rclsid, const com::IID& riid, void** ppv) {
    if (!(rclsid == com::CLSID_OEMUI)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) OemUiClassFactory(platform, counters);
    if (!factory) return E_OUTOFMEMORY;
    const com::HRESULT result = factory->QueryInterface(riid, ppv);
    factory->Release();
    return result;
}

}  // namespace plugin
