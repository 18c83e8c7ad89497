// The pfnComPropSheet callback of the host's sheet.
#include "tools/driverui/ComPropSheet.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "tools/driverui/CallText.h"

namespace driverui {

namespace com = plugin::com;

namespace {

// The sheet being built or shown; the callback refuses every other handle.
ComPropSheet* current = nullptr;

// The smallest record comctl32 takes: the first version, up to pcRefParent.
constexpr std::size_t kSmallestPageRecord = offsetof(plat::PROPSHEETPAGEW, pszHeaderTitle);

std::string FunctionName(unsigned function) {
    switch (function) {
        case CPSFUNC_ADD_HPROPSHEETPAGE: return "CPSFUNC_ADD_HPROPSHEETPAGE";
        case CPSFUNC_ADD_PROPSHEETPAGEW: return "CPSFUNC_ADD_PROPSHEETPAGEW";
        case CPSFUNC_ADD_PROPSHEETPAGEA: return "CPSFUNC_ADD_PROPSHEETPAGEA";
        case CPSFUNC_GET_PAGECOUNT: return "CPSFUNC_GET_PAGECOUNT";
        case CPSFUNC_SET_RESULT: return "CPSFUNC_SET_RESULT";
        default: return "function " + std::to_string(function);
    }
}

// A page's template as the record names it: MAKEINTRESOURCE ids are below 0x10000.
std::string TemplateText(const plat::PROPSHEETPAGEW& page) {
    const auto id = reinterpret_cast<std::uintptr_t>(page.pszTemplate);
    if (id < 0x10000) return "template " + std::to_string(id);
    return "a template by name";
}

std::string ResultText(com::LPARAM result) {
    if (result == CPSUI_OK) return "CPSUI_OK";
    if (result == CPSUI_CANCEL) return "CPSUI_CANCEL";
    return std::to_string(result);
}

}  // namespace

ComPropSheet::ComPropSheet(HostReport& report) : report_(report) { current = this; }

ComPropSheet::~ComPropSheet() {
    if (current == this) current = nullptr;
}

com::LONG_PTR ComPropSheet::Callback(com::HANDLE sheet, unsigned function, com::LPARAM lParam1,
                                     com::LPARAM lParam2) {
    ComPropSheet* self = current;
    if (!self) return 0;
    if (sheet != self->handle()) {
        self->report_.Line("pfnComPropSheet(" + FunctionName(function) +
                           ") with a handle that is not the sheet's -> 0");
        return 0;
    }
    switch (function) {
        case CPSFUNC_ADD_PROPSHEETPAGEW: return self->AddPage(lParam1);
        case CPSFUNC_SET_RESULT: return self->SetResult(lParam1, lParam2);
        default:
            // The host offers what the plug-in uses; anything else fails visibly.
            self->report_.Line("pfnComPropSheet(" + FunctionName(function) +
                               ") is not supported by this host -> 0");
            return 0;
    }
}

com::LONG_PTR ComPropSheet::AddPage(com::LPARAM record) {
    const auto* given = reinterpret_cast<const plat::PROPSHEETPAGEW*>(record);
    if (!given || given->dwSize < kSmallestPageRecord) {
        report_.Line("pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW) without a page record -> 0");
        return 0;
    }
    // The caller's record may live on its stack: keep a copy of what it holds, and no more
    // than its dwSize says it has.
    plat::PROPSHEETPAGEW page{};
    std::memcpy(&page, given, given->dwSize < sizeof page ? given->dwSize : sizeof page);
    pages_.push_back(page);
    const auto handle = static_cast<com::LONG_PTR>(pages_.size());
    report_.Line("pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, " + TemplateText(page) + ") -> " +
                 std::to_string(handle));
    return handle;
}

com::LONG_PTR ComPropSheet::SetResult(com::LPARAM handle, com::LPARAM result) {
    std::string whose;
    if (handle == -1) whose = "handle -1";
    else if (handle >= 1 && static_cast<std::size_t>(handle) <= pages_.size())
        whose = "page " + std::to_string(handle);
    else whose = "handle " + std::to_string(handle);
    report_.Line("pfnComPropSheet(CPSFUNC_SET_RESULT, " + whose + ", " + ResultText(result) +
                 ") -> 1");
    if (result == CPSUI_OK) {
        ++appliedCount_;
        if (applied_) applied_();
    }
    return 1;
}

}  // namespace driverui
