// The plug-in object: IPrintOemUI with its reference count, the driver interface and the two
// sheet contexts.
#include "plugin/com/OemUiPlugin.h"

#include <cstring>

#include "platform/win_constants.h"
#include "plugin/com/PluginIdentity.h"
#include "plugin/com/SheetPages.h"
#include "plugin/devmode/DevModeCall.h"

namespace plugin {

namespace {

// The device colour profile's file name; the driver package installs the profile itself.
constexpr char16_t kProfileName[] = u"OEMPROFILE.icm";
constexpr com::ULONG kProfileBytes = 32;  // bytes asked for and reported, terminator included
static_assert(sizeof kProfileName <= kProfileBytes);

constexpr char16_t kSheetTitle[] = u"OEM UI Page";

void WriteUint32(void* to, std::uint32_t value) { std::memcpy(to, &value, sizeof value); }

// The answers to every reason but building the pages, shared by both sheets.
com::ULONG_PTR AnswerSheetReason(com::WORD reason, com::LPARAM lParam) {
    switch (reason) {
        case PROPSHEETUI_REASON_GET_INFO_HEADER: {
            auto* header = reinterpret_cast<com::PROPSHEETUI_INFO_HEADER*>(lParam);
            // The title is a constant the driver only reads.
            if (header) header->pTitle = const_cast<char16_t*>(kSheetTitle);
            return 1;
        }
        case PROPSHEETUI_REASON_DESTROY:
            return 1;
        case PROPSHEETUI_REASON_SET_RESULT: {
            auto* result = reinterpret_cast<const com::SETRESULT_INFO*>(lParam);
            return result ? static_cast<com::ULONG_PTR>(result->Result) : 0;
        }
        case PROPSHEETUI_REASON_GET_ICON:
            return 0;
        default:
            return static_cast<com::ULONG_PTR>(lParam);
    }
}

}  // namespace

OemUiPlugin::OemUiPlugin(plat::Platform& platform, ModuleCounters& counters)
    : documentPages_(plat::ThisModule()),
      devicePages_(plat::ThisModule()),
      platform_(platform),
      counters_(counters) {
    docSheet_.platform = &platform_;
    deviceSheet_.platform = &platform_;
    ++counters_.objects;
}

OemUiPlugin::~OemUiPlugin() {
    if (driver_) {
        driver_->Release();
        driver_ = nullptr;
    }
    --counters_.objects;
}

com::HRESULT OemUiPlugin::Fail(std::uint32_t error) {
    platform_.lastError().SetLastError(error);
    return E_FAIL;
}

com::HRESULT OemUiPlugin::QueryInterface(const com::IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == com::IID_IUnknown || riid == com::IID_IPrintOemUI) {
        *ppv = static_cast<com::IPrintOemUI*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

com::ULONG OemUiPlugin::AddRef() { return ++references_; }

com::ULONG OemUiPlugin::Release() {
    const com::ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

com::HRESULT OemUiPlugin::GetInfo(com::DWORD dwMode, void* pBuffer, com::DWORD cbSize,
                                  com::DWORD* pcbNeeded) {
    if (!pcbNeeded || (dwMode != OEMGI_GETSIGNATURE && dwMode != OEMGI_GETVERSION &&
                       dwMode != OEMGI_GETPUBLISHERINFO))
        return Fail(ERROR_INVALID_PARAMETER);
    *pcbNeeded = sizeof(std::uint32_t);
    if (cbSize < sizeof(std::uint32_t) || !pBuffer) return Fail(ERROR_INSUFFICIENT_BUFFER);
    switch (dwMode) {
        case OEMGI_GETSIGNATURE:
            WriteUint32(pBuffer, kPluginSignature);
            return S_OK;
        case OEMGI_GETVERSION:
            WriteUint32(pBuffer, kPluginVersion);
            return S_OK;
        default:  // OEMGI_GETPUBLISHERINFO: the plug-in publishes nothing
            *pcbNeeded = 0;
            return Fail(ERROR_NOT_SUPPORTED);
    }
}

com::HRESULT OemUiPlugin::DevMode(com::DWORD dwMode, com::OEMDMPARAM* pOemDMParam) {
    return plugin::DevMode(platform_.lastError(), dwMode, pOemDMParam);
}

com::HRESULT OemUiPlugin::PublishDriverInterface(com::IUnknown* pIUnknown) {
    if (driver_) return S_OK;
    void* driver = nullptr;
    if (!pIUnknown ||
        pIUnknown->QueryInterface(com::IID_IPrintOemDriverUI, &driver) != S_OK || !driver) {
        driver_ = nullptr;
        return E_FAIL;
    }
    driver_ = static_cast<com::IPrintOemDriverUI*>(driver);
    return S_OK;
}

com::HRESULT OemUiPlugin::CommonUIProp(com::DWORD dwMode, com::OEMCUIPPARAM* pOemCUIPParam) {
    docSheet_.commonUIParam = pOemCUIPParam;
    deviceSheet_.commonUIParam = pOemCUIPParam;
    switch (dwMode) {
        case OEMCUIP_DOCPROP:
            return S_OK;
        case OEMCUIP_PRNPROP:
            // The plug-in adds no items of its own to the driver's option tree.
            if (pOemCUIPParam && !pOemCUIPParam->pOEMOptItems) pOemCUIPParam->cOEMOptItems = 0;
            return S_OK;
        default:
            return Fail(ERROR_INVALID_PARAMETER);
    }
}

com::HRESULT OemUiPlugin::DocumentPropertySheets(com::PROPSHEETUI_INFO* pPSUIInfo,
                                                 com::LPARAM lParam) {
    docSheet_.driver = driver_;
    if (!pPSUIInfo || pPSUIInfo->Version != PROPSHEETUI_INFO_VERSION)
        return Fail(ERROR_INVALID_PARAMETER);
    if (pPSUIInfo->Reason == PROPSHEETUI_REASON_DESTROY) documentPages_.ReleasePages();
    pPSUIInfo->Result = pPSUIInfo->Reason == PROPSHEETUI_REASON_INIT
                            ? BuildDocumentSheetPages(docSheet_, *pPSUIInfo, &documentPages_)
                            : AnswerSheetReason(pPSUIInfo->Reason, lParam);
    return S_OK;
}

com::HRESULT OemUiPlugin::DevicePropertySheets(com::PROPSHEETUI_INFO* pPSUIInfo,
                                               com::LPARAM lParam) {
    deviceSheet_.driver = driver_;
    if (!pPSUIInfo || pPSUIInfo->Version != PROPSHEETUI_INFO_VERSION)
        return Fail(ERROR_INVALID_PARAMETER);
    if (pPSUIInfo->Reason == PROPSHEETUI_REASON_DESTROY) devicePages_.ReleasePages();
    if (pPSUIInfo->Reason == PROPSHEETUI_REASON_INIT) {
        BuildDeviceSheetPages(deviceSheet_, *pPSUIInfo, &devicePages_);
        pPSUIInfo->Result = static_cast<com::ULONG_PTR>(lParam);
    } else {
        pPSUIInfo->Result = AnswerSheetReason(pPSUIInfo->Reason, lParam);
    }
    return S_OK;
}

com::HRESULT OemUiPlugin::DevQueryPrintEx(com::OEMUIOBJ*, void*, com::DEVMODEW*, void*) {
    return E_NOTIMPL;
}
com::HRESULT OemUiPlugin::DeviceCapabilities(com::OEMUIOBJ*, com::HANDLE, char16_t*, com::WORD,
                                             void*, com::DEVMODEW*, void*, com::DWORD,
                                             com::DWORD*) {
    return E_NOTIMPL;
}
com::HRESULT OemUiPlugin::UpgradePrinter(com::DWORD, std::uint8_t*) { return E_NOTIMPL; }
com::HRESULT OemUiPlugin::PrinterEvent(char16_t*, int, com::DWORD, com::LPARAM) {
    return E_NOTIMPL;
}
com::HRESULT OemUiPlugin::DriverEvent(com::DWORD, com::DWORD, std::uint8_t*, com::LPARAM) {
    return E_NOTIMPL;
}

com::HRESULT OemUiPlugin::QueryColorProfile(com::HANDLE, com::OEMUIOBJ*, com::DEVMODEW*, void*,
                                            com::ULONG ulQueryMode, void* pvProfileData,
                                            com::ULONG* pcbProfileData,
                                            com::ULONG* pflProfileData) {
    if (ulQueryMode != QCP_DEVICEPROFILE) return E_FAIL;
    if (!pcbProfileData) return Fail(ERROR_INVALID_PARAMETER);
    if (!pvProfileData || *pcbProfileData < kProfileBytes) {
        *pcbProfileData = kProfileBytes;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    // The buffer holds at least 32 bytes here, more than the name with its terminator.
    std::memcpy(pvProfileData, kProfileName, sizeof kProfileName);
    *pcbProfileData = kProfileBytes;
    if (pflProfileData) *pflProfileData = QCP_PROFILEDISK;
    return S_OK;
}

com::HRESULT OemUiPlugin::FontInstallerDlgProc(com::HANDLE, unsigned, std::uintptr_t,
                                               com::LPARAM) {
    return E_NOTIMPL;
}
com::HRESULT OemUiPlugin::UpdateExternalFonts(com::HANDLE, com::HANDLE, char16_t*) {
    return E_NOTIMPL;
}

}  // namespace plugin
