// A plug-in for the host's own tests: it answers the driver's calls with a small private
// block, records every call, and lets a test act as its pages while the sheet is shown.
#pragma once
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/property_sheet.h"
#include "plugin/com/OemUiTypes.h"
#include "tools/driverui/PluginModule.h"

namespace drivertest {

namespace com = plugin::com;

class FakePlugin final : public com::IPrintOemUI {
public:
    static constexpr com::DWORD kPrivateSize = 16;

    std::vector<std::string> calls;
    com::IPrintOemDriverUI* driver = nullptr;
    com::OEMCUIPPARAM* common = nullptr;
    com::PROPSHEETUI_INFO sheet{};
    int pagesToAdd = 2;
    bool releaseDriver = true;
    std::vector<std::uint8_t> lastIncoming;  // the pOEMDMIn bytes of the last convert or merge

    com::HRESULT PLUGIN_STDCALL QueryInterface(const com::IID&, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    com::ULONG PLUGIN_STDCALL AddRef() override { return ++references; }
    com::ULONG PLUGIN_STDCALL Release() override {
        if (--references == 0 && driver && releaseDriver) driver->Release();
        return references;
    }
    com::HRESULT PLUGIN_STDCALL GetInfo(com::DWORD mode, void* buffer, com::DWORD,
                                        com::DWORD* needed) override {
        calls.push_back("GetInfo " + std::to_string(mode));
        const std::uint32_t value = mode == OEMGI_GETSIGNATURE ? 0x51454C4D : 1;
        std::memcpy(buffer, &value, 4);
        *needed = 4;
        return S_OK;
    }
    com::HRESULT PLUGIN_STDCALL DevMode(com::DWORD mode, com::OEMDMPARAM* p) override {
        calls.push_back("DevMode " + std::to_string(mode));
        auto* out = static_cast<std::uint8_t*>(p->pOEMDMOut);
        if (mode == OEMDM_SIZE) p->cbBufSize = kPrivateSize;
        if (mode == OEMDM_DEFAULT) std::memset(out, 0xDD, kPrivateSize);
        if (mode == OEMDM_CONVERT || mode == OEMDM_MERGE) {
            // A plug-in reads the incoming block up to its own size.
            const auto* in = static_cast<const std::uint8_t*>(p->pOEMDMIn);
            lastIncoming.assign(in, in + kPrivateSize);
            std::memcpy(out, in, kPrivateSize);
        }
        return S_OK;
    }
    com::HRESULT PLUGIN_STDCALL PublishDriverInterface(com::IUnknown* unknown) override {
        calls.push_back("PublishDriverInterface");
        void* out = nullptr;
        if (unknown->QueryInterface(com::IID_IPrintOemDriverUI, &out) != S_OK) return E_FAIL;
        driver = static_cast<com::IPrintOemDriverUI*>(out);
        return S_OK;
    }
    com::HRESULT PLUGIN_STDCALL CommonUIProp(com::DWORD mode, com::OEMCUIPPARAM* p) override {
        calls.push_back("CommonUIProp " + std::to_string(mode));
        common = p;
        return S_OK;
    }
    com::HRESULT PLUGIN_STDCALL DocumentPropertySheets(com::PROPSHEETUI_INFO* info,
                                                       com::LPARAM) override {
        calls.push_back("DocumentPropertySheets " + std::to_string(info->Reason));
        return Sheet(info);
    }
    com::HRESULT PLUGIN_STDCALL DevicePropertySheets(com::PROPSHEETUI_INFO* info,
                                                     com::LPARAM) override {
        calls.push_back("DevicePropertySheets " + std::to_string(info->Reason));
        return Sheet(info);
    }
    com::HRESULT PLUGIN_STDCALL DevQueryPrintEx(com::OEMUIOBJ*, void*, com::DEVMODEW*, void*) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL DeviceCapabilities(com::OEMUIOBJ*, com::HANDLE, char16_t*, com::WORD, void*,
                                                   com::DEVMODEW*, void*, com::DWORD, com::DWORD*) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL UpgradePrinter(com::DWORD, std::uint8_t*) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL PrinterEvent(char16_t*, int, com::DWORD, com::LPARAM) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL DriverEvent(com::DWORD, com::DWORD, std::uint8_t*, com::LPARAM) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL QueryColorProfile(com::HANDLE, com::OEMUIOBJ*, com::DEVMODEW*, void*, com::ULONG,
                                                  void*, com::ULONG*, com::ULONG*) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL FontInstallerDlgProc(com::HANDLE, unsigned, std::uintptr_t, com::LPARAM) override { return E_NOTIMPL; }
    com::HRESULT PLUGIN_STDCALL UpdateExternalFonts(com::HANDLE, com::HANDLE, char16_t*) override { return E_NOTIMPL; }

    // What a page does on Apply: reports CPSUI_OK through the sheet callback.
    void ReportApplied() {
        sheet.pfnComPropSheet(sheet.hComPropSheet, CPSFUNC_SET_RESULT, -1, CPSUI_OK);
    }
    // The private block the sheet edits.
    std::uint8_t* devmode() { return static_cast<std::uint8_t*>(common->pOEMDM); }

    com::ULONG references = 1;

private:
    com::HRESULT Sheet(com::PROPSHEETUI_INFO* info) {
        if (info->Reason == PROPSHEETUI_REASON_INIT) {
            sheet = *info;
            com::LONG_PTR last = 0;
            for (int i = 0; i < pagesToAdd; ++i) {
                plat::PROPSHEETPAGEW page{};
                page.dwSize = sizeof page;
                page.pszTemplate =
                    reinterpret_cast<const char16_t*>(static_cast<std::uintptr_t>(100 + i));
                last = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                             reinterpret_cast<com::LPARAM>(&page), 0);
            }
            info->Result = static_cast<com::ULONG_PTR>(last);
        } else {
            info->Result = 1;
        }
        return S_OK;
    }
};

// The library around one FakePlugin: DllGetClassObject gives a factory that hands it out.
class FakePluginModule final : public driverui::PluginModule,
                               private com::IClassFactory {
public:
    explicit FakePluginModule(FakePlugin& plugin) : plugin_(plugin) { current_ = this; }
    ~FakePluginModule() override { current_ = nullptr; }
    driverui::GetClassObjectFn getClassObject() const override { return &GetClassObject; }
    driverui::CanUnloadNowFn canUnloadNow() const override { return &CanUnloadNow; }
    plat::ModuleRef module() const override { return plat::ModuleRef{0x5000}; }

private:
    static com::HRESULT PLUGIN_STDCALL GetClassObject(const com::CLSID&, const com::IID&,
                                                      void** ppv) {
        *ppv = static_cast<com::IClassFactory*>(current_);
        return S_OK;
    }
    static com::HRESULT PLUGIN_STDCALL CanUnloadNow() {
        return current_->plugin_.references == 0 ? S_OK : S_FALSE;
    }
    com::HRESULT PLUGIN_STDCALL QueryInterface(const com::IID&, void**) override { return E_NOINTERFACE; }
    com::ULONG PLUGIN_STDCALL AddRef() override { return 2; }
    com::ULONG PLUGIN_STDCALL Release() override { return 1; }
    com::HRESULT PLUGIN_STDCALL CreateInstance(com::IUnknown*, const com::IID&, void** ppv) override {
        *ppv = static_cast<com::IPrintOemUI*>(&plugin_);
        return S_OK;
    }
    com::HRESULT PLUGIN_STDCALL LockServer(com::BOOL) override { return S_OK; }

    FakePlugin& plugin_;
    static inline FakePluginModule* current_ = nullptr;
};

}  // namespace drivertest
