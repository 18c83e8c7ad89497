// The plug-in object: IPrintOemUI with its reference count, the driver interface and the two
// sheet contexts.
#pragma once
#include <atomic>

#include "platform/platform.h"
#include "plugin/com/ModuleCounters.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/com/PluginPageHost.h"
#include "plugin/com/SheetContexts.h"

namespace plugin {

class OemUiPlugin final : public com::IPrintOemUI {
public:
    // Starts with one reference and counts itself among the module's live objects.
    OemUiPlugin(plat::Platform& platform, ModuleCounters& counters);

    com::HRESULT PLUGIN_STDCALL QueryInterface(const com::IID& riid, void** ppv) override;
    com::ULONG PLUGIN_STDCALL AddRef() override;
    com::ULONG PLUGIN_STDCALL Release() override;

    com::HRESULT PLUGIN_STDCALL GetInfo(com::DWORD dwMode, void* pBuffer, com::DWORD cbSize,
                                        com::DWORD* pcbNeeded) override;
    com::HRESULT PLUGIN_STDCALL DevMode(com::DWORD dwMode, com::OEMDMPARAM* pOemDMParam) override;
    com::HRESULT PLUGIN_STDCALL PublishDriverInterface(com::IUnknown* pIUnknown) override;
    com::HRESULT PLUGIN_STDCALL CommonUIProp(com::DWORD dwMode,
                                             com::OEMCUIPPARAM* pOemCUIPParam) override;
    com::HRESULT PLUGIN_STDCALL DocumentPropertySheets(com::PROPSHEETUI_INFO* pPSUIInfo,
                                                       com::LPARAM lParam) override;
    com::HRESULT PLUGIN_STDCALL DevicePropertySheets(com::PROPSHEETUI_INFO* pPSUIInfo,
                                                     com::LPARAM lParam) override;
    com::HRESULT PLUGIN_STDCALL DevQueryPrintEx(com::OEMUIOBJ*, void*, com::DEVMODEW*,
                                                void*) override;
    com::HRESULT PLUGIN_STDCALL DeviceCapabilities(com::OEMUIOBJ*, com::HANDLE, char16_t*,
                                                   com::WORD, void*, com::DEVMODEW*, void*,
                                                   com::DWORD, com::DWORD*) override;
    com::HRESULT PLUGIN_STDCALL UpgradePrinter(com::DWORD, std::uint8_t*) override;
    com::HRESULT PLUGIN_STDCALL PrinterEvent(char16_t*, int, com::DWORD, com::LPARAM) override;
    com::HRESULT PLUGIN_STDCALL DriverEvent(com::DWORD, com::DWORD, std::uint8_t*,
                                            com::LPARAM) override;
    com::HRESULT PLUGIN_STDCALL QueryColorProfile(com::HANDLE hPrinter, com::OEMUIOBJ* poemuiobj,
                                                  com::DEVMODEW* pPublicDM, void* pOEMDM,
                                                  com::ULONG ulQueryMode, void* pvProfileData,
                                                  com::ULONG* pcbProfileData,
                                                  com::ULONG* pflProfileData) override;
    com::HRESULT PLUGIN_STDCALL FontInstallerDlgProc(com::HANDLE, unsigned, std::uintptr_t,
                                                     com::LPARAM) override;
    com::HRESULT PLUGIN_STDCALL UpdateExternalFonts(com::HANDLE, com::HANDLE, char16_t*) override;

    // For the pages and for tests.
    com::IPrintOemDriverUI* driver() const { return driver_; }
    DeviceSheetContext& deviceSheet() { return deviceSheet_; }
    DocSheetContext& docSheet() { return docSheet_; }
    const PluginPageHost& documentPages() const { return documentPages_; }
    const PluginPageHost& devicePages() const { return devicePages_; }

private:
    ~OemUiPlugin();  // only Release destroys the object

    com::HRESULT Fail(std::uint32_t error);

    std::atomic<com::ULONG> references_{1};
    com::IPrintOemDriverUI* driver_ = nullptr;  // one reference owned
    DeviceSheetContext deviceSheet_;
    DocSheetContext docSheet_;
    // Each sheet's pages, kept from building the sheet to its PROPSHEETUI_REASON_DESTROY; they
    // refer to the contexts above, so they go first.
    PluginPageHost documentPages_;
    PluginPageHost devicePages_;
    plat::Platform& platform_;
    ModuleCounters& counters_;
};

}  // namespace plugin
