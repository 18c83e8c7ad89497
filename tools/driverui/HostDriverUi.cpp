// The host's IPrintOemDriverUI.
#include "tools/driverui/HostDriverUi.h"

#include "tools/driverui/CallText.h"

namespace driverui {

namespace com = plugin::com;

std::string CommonUiModeText(com::DWORD mode) {
    if (mode == OEMCUIP_DOCPROP) return "OEMCUIP_DOCPROP";
    if (mode == OEMCUIP_PRNPROP) return "OEMCUIP_PRNPROP";
    return std::to_string(mode);
}

com::HRESULT HostDriverUi::QueryInterface(const com::IID& riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == com::IID_IUnknown || riid == com::IID_IPrintOemDriverUI) {
        *ppv = static_cast<com::IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

com::ULONG HostDriverUi::AddRef() { return ++references_; }

com::ULONG HostDriverUi::Release() { return --references_; }

com::HRESULT HostDriverUi::DrvGetDriverSetting(void*, const char* feature, void*, com::DWORD,
                                               com::DWORD*, com::DWORD*) {
    report_.Line(std::string("DrvGetDriverSetting(\"") + (feature ? feature : "") +
                 "\") -> E_NOTIMPL");
    return E_NOTIMPL;
}

com::HRESULT HostDriverUi::DrvUpgradeRegistrySetting(com::HANDLE, const char* feature,
                                                     const char*) {
    report_.Line(std::string("DrvUpgradeRegistrySetting(\"") + (feature ? feature : "") +
                 "\") -> E_NOTIMPL");
    return E_NOTIMPL;
}

com::HRESULT HostDriverUi::DrvUpdateUISetting(void* pci, void* pOptItem,
                                              com::DWORD dwPreviousSelection, com::DWORD dwMode) {
    const std::string call = "DrvUpdateUISetting(";
    const std::string rest = ", previous " + std::to_string(dwPreviousSelection) + ", " +
                             CommonUiModeText(dwMode) + ")";
    const DriverUiSession* s = session_;
    if (!s || !s->formItem || pci != s->uiObject ||
        pOptItem != static_cast<void*>(s->formItem->item())) {
        report_.Line(call + "an item the host did not give" + rest + " -> E_FAIL");
        return E_FAIL;
    }
    const std::string item =
        "item \"" + Narrow(s->formItem->item()->pName) + "\" Sel " +
        std::to_string(s->formItem->item()->Sel);
    const FormChoice* form = s->formItem->Selected();
    if (!form) {
        report_.Line(call + item + rest + " -> E_FAIL, no such form");
        return E_FAIL;
    }
    if (s->devmode) SetForm(*s->devmode, *form);
    report_.Line(call + item + rest + " -> S_OK, form \"" + Narrow(form->name) + "\" (" +
                 std::to_string(form->paperSize) + ")");
    return S_OK;
}

}  // namespace driverui
