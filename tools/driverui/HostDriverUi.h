// The host's helper object that the plug-in receives in PublishDriverInterface
// (IPrintOemDriverUI): it answers for the driver's option items, and DrvUpdateUISetting moves
// the chosen form into the public device mode.
#pragma once
#include <atomic>

#include "plugin/com/OemUiTypes.h"
#include "tools/driverui/FormOptionItem.h"
#include "tools/driverui/HostReport.h"
#include "tools/driverui/PublicDevmode.h"

namespace driverui {

// What the open sheet's calls act on: its UI object (the plug-in passes it back as `pci`), the
// driver's form item and the public device mode. Null members: nothing of that kind.
struct DriverUiSession {
    const void* uiObject = nullptr;
    FormOptionItem* formItem = nullptr;
    PublicDevmode* devmode = nullptr;
};

class HostDriverUi final : public plugin::com::IPrintOemDriverUI {
public:
    explicit HostDriverUi(HostReport& report) : report_(report) {}

    // The sheet whose settings the calls change, or none (null).
    void Attach(const DriverUiSession* session) { session_ = session; }
    // References the plug-in holds beyond the host's own one.
    plugin::com::ULONG references() const { return references_; }

    plugin::com::HRESULT PLUGIN_STDCALL QueryInterface(const plugin::com::IID& riid,
                                                       void** ppv) override;
    plugin::com::ULONG PLUGIN_STDCALL AddRef() override;
    plugin::com::ULONG PLUGIN_STDCALL Release() override;
    plugin::com::HRESULT PLUGIN_STDCALL DrvGetDriverSetting(void* pci, const char* feature,
                                                            void* output,
                                                            plugin::com::DWORD cbSize,
                                                            plugin::com::DWORD* pcbNeeded,
                                                            plugin::com::DWORD* returned) override;
    plugin::com::HRESULT PLUGIN_STDCALL DrvUpgradeRegistrySetting(plugin::com::HANDLE hPrinter,
                                                                  const char* feature,
                                                                  const char* option) override;
    // For the session's form item from the session's UI object: the form the item's Sel names
    // becomes the device mode's (dmFormName, dmPaperSize), S_OK. Another item or object, or a
    // Sel outside the list: E_FAIL, nothing changed.
    plugin::com::HRESULT PLUGIN_STDCALL DrvUpdateUISetting(void* pci, void* pOptItem,
                                                           plugin::com::DWORD dwPreviousSelection,
                                                           plugin::com::DWORD dwMode) override;

private:
    HostReport& report_;
    const DriverUiSession* session_ = nullptr;
    // The object lives as long as the host; the count only tells whether the plug-in let go.
    std::atomic<plugin::com::ULONG> references_{1};
};

// "OEMCUIP_DOCPROP", "OEMCUIP_PRNPROP" or the number.
std::string CommonUiModeText(plugin::com::DWORD mode);

}  // namespace driverui
