// A stand-in for the universal driver's helper object, counting what the plug-in does with it.
#pragma once
#include "plugin/com/OemUiTypes.h"

namespace testdriver {

class FakeDriver final : public plugin::com::IPrintOemDriverUI {
public:
    explicit FakeDriver(bool offersDriverInterface = true) : offers_(offersDriverInterface) {}

    plugin::com::HRESULT PLUGIN_STDCALL QueryInterface(const plugin::com::IID& riid,
                                                       void** ppv) override {
        ++queries;
        if (offers_ && (riid == plugin::com::IID_IPrintOemDriverUI ||
                        riid == plugin::com::IID_IUnknown)) {
            *ppv = static_cast<plugin::com::IPrintOemDriverUI*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    plugin::com::ULONG PLUGIN_STDCALL AddRef() override { return ++references; }
    plugin::com::ULONG PLUGIN_STDCALL Release() override { return --references; }
    plugin::com::HRESULT PLUGIN_STDCALL DrvGetDriverSetting(void*, const char*, void*,
                                                           plugin::com::DWORD,
                                                           plugin::com::DWORD*,
                                                           plugin::com::DWORD*) override {
        return E_NOTIMPL;
    }
    plugin::com::HRESULT PLUGIN_STDCALL DrvUpgradeRegistrySetting(plugin::com::HANDLE, const char*,
                                                                 const char*) override {
        return E_NOTIMPL;
    }
    plugin::com::HRESULT PLUGIN_STDCALL DrvUpdateUISetting(void*, void*, plugin::com::DWORD,
                                                          plugin::com::DWORD) override {
        return E_NOTIMPL;
    }

    int queries = 0;
    plugin::com::ULONG references = 1;  // the driver's own

private:
    bool offers_;
};

}  // namespace testdriver
