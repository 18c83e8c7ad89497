// The host's side of the common property-sheet interface: the pfnComPropSheet callback the
// plug-in adds its pages through (CPSFUNC_ADD_PROPSHEETPAGEW) and reports its result with
// (CPSFUNC_SET_RESULT).
#pragma once
#include <functional>
#include <vector>

#include "platform/property_sheet.h"
#include "plugin/com/OemUiTypes.h"
#include "tools/driverui/HostReport.h"

namespace driverui {

class ComPropSheet {
public:
    // One sheet at a time: the callback finds this object through the sheet handle, which is
    // only valid while the object lives.
    explicit ComPropSheet(HostReport& report);
    ~ComPropSheet();
    ComPropSheet(const ComPropSheet&) = delete;
    ComPropSheet& operator=(const ComPropSheet&) = delete;

    plugin::com::HANDLE handle() { return this; }
    static plugin::com::PFNCOMPROPSHEET callback() { return &Callback; }

    // The records of the pages added, in order; page handle N is the Nth (from 1).
    const std::vector<plat::PROPSHEETPAGEW>& pages() const { return pages_; }
    // Called for every CPSFUNC_SET_RESULT with CPSUI_OK: a page applied its settings.
    void OnApplied(std::function<void()> applied) { applied_ = std::move(applied); }
    // Whether some page reported CPSUI_OK.
    bool applied() const { return appliedCount_ > 0; }

private:
    static plugin::com::LONG_PTR PLUGIN_STDCALL Callback(plugin::com::HANDLE sheet,
                                                         unsigned function,
                                                         plugin::com::LPARAM lParam1,
                                                         plugin::com::LPARAM lParam2);
    plugin::com::LONG_PTR AddPage(plugin::com::LPARAM record);
    plugin::com::LONG_PTR SetResult(plugin::com::LPARAM handle, plugin::com::LPARAM result);

    HostReport& report_;
    std::vector<plat::PROPSHEETPAGEW> pages_;
    std::function<void()> applied_;
    int appliedCount_ = 0;
};

}  // namespace driverui
