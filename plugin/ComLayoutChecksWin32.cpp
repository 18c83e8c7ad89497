// Windows build only: the plug-in's own declarations of COM and driver UI records and numbers
// checked against mingw-w64's headers (the driver kit's OEM records, which those headers lack,
// against their published layout worked out per word size).
//
// The plug-in's numbers are read first, while its own macros are in force; then the macros are
// dropped so the Windows headers define theirs, and the two sets are compared.
#include <cstddef>

#include "plugin/com/OemUiTypes.h"

namespace mine {
constexpr long long kResults[] = {S_OK, S_FALSE, E_NOTIMPL, E_NOINTERFACE, E_POINTER, E_FAIL,
                                  E_OUTOFMEMORY, CLASS_E_NOAGGREGATION,
                                  CLASS_E_CLASSNOTAVAILABLE};
constexpr long long kSheet[] = {
    PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER,
    PROPSHEETUI_REASON_DESTROY, PROPSHEETUI_REASON_SET_RESULT, PROPSHEETUI_REASON_GET_ICON,
    CPSFUNC_ADD_HPROPSHEETPAGE, CPSFUNC_ADD_PROPSHEETPAGEW, CPSFUNC_ADD_PCOMPROPSHEETUIA,
    CPSFUNC_ADD_PCOMPROPSHEETUIW, CPSFUNC_ADD_PFNPROPSHEETUIA, CPSFUNC_ADD_PFNPROPSHEETUIW,
    CPSFUNC_DELETE_HCOMPROPSHEET, CPSFUNC_SET_HSTARTPAGE, CPSFUNC_GET_PAGECOUNT,
    CPSFUNC_SET_RESULT, CPSFUNC_GET_HPSUIPAGES, CPSFUNC_LOAD_CPSUI_STRINGA,
    CPSFUNC_LOAD_CPSUI_STRINGW, CPSFUNC_LOAD_CPSUI_ICON, CPSFUNC_GET_PFNPROPSHEETUI_ICON,
    CPSFUNC_ADD_PROPSHEETPAGEA, CPSFUNC_INSERT_PSUIPAGEA, CPSFUNC_INSERT_PSUIPAGEW,
    CPSFUNC_SET_PSUIPAGE_TITLEA, CPSFUNC_SET_PSUIPAGE_TITLEW, CPSFUNC_SET_PSUIPAGE_ICON,
    CPSFUNC_SET_DATABLOCK, CPSFUNC_QUERY_DATABLOCK, CPSFUNC_SET_DMPUB_HIDEBITS,
    CPSFUNC_IGNORE_CPSUI_PSN_APPLY, CPSFUNC_DO_APPLY_CPSUI, CPSFUNC_SET_FUSION_CONTEXT};
constexpr long long kOptions[] = {CPSUI_CANCEL, CPSUI_OK, OPTIF_CHANGED, TVOT_LISTBOX,
                                  TVOT_COMBOBOX, DMPUB_ORIENTATION, DMPUB_SCALE,
                                  DMPUB_COPIES_COLLATE, DMPUB_DEFSOURCE, DMPUB_PRINTQUALITY,
                                  DMPUB_COLOR, DMPUB_DUPLEX, DMPUB_TTOPTION, DMPUB_FORMNAME};
}  // namespace mine

#undef CPSUI_CANCEL
#undef CPSUI_OK
#undef OPTIF_CHANGED
#undef TVOT_LISTBOX
#undef TVOT_COMBOBOX
#undef DMPUB_ORIENTATION
#undef DMPUB_SCALE
#undef DMPUB_COPIES_COLLATE
#undef DMPUB_DEFSOURCE
#undef DMPUB_PRINTQUALITY
#undef DMPUB_COLOR
#undef DMPUB_DUPLEX
#undef DMPUB_TTOPTION
#undef DMPUB_FORMNAME

#undef S_OK
#undef S_FALSE
#undef E_NOTIMPL
#undef E_NOINTERFACE
#undef E_POINTER
#undef E_FAIL
#undef E_OUTOFMEMORY
#undef CLASS_E_NOAGGREGATION
#undef CLASS_E_CLASSNOTAVAILABLE
#undef PROPSHEETUI_INFO_VERSION
#undef PROPSHEETUI_REASON_INIT
#undef PROPSHEETUI_REASON_GET_INFO_HEADER
#undef PROPSHEETUI_REASON_DESTROY
#undef PROPSHEETUI_REASON_SET_RESULT
#undef PROPSHEETUI_REASON_GET_ICON
#undef PROPSHEETUI_REASON_BEFORE_INIT
#undef CPSFUNC_ADD_HPROPSHEETPAGE
#undef CPSFUNC_ADD_PROPSHEETPAGEW
#undef CPSFUNC_ADD_PCOMPROPSHEETUIA
#undef CPSFUNC_ADD_PCOMPROPSHEETUIW
#undef CPSFUNC_ADD_PFNPROPSHEETUIA
#undef CPSFUNC_ADD_PFNPROPSHEETUIW
#undef CPSFUNC_DELETE_HCOMPROPSHEET
#undef CPSFUNC_SET_HSTARTPAGE
#undef CPSFUNC_GET_PAGECOUNT
#undef CPSFUNC_SET_RESULT
#undef CPSFUNC_GET_HPSUIPAGES
#undef CPSFUNC_LOAD_CPSUI_STRINGA
#undef CPSFUNC_LOAD_CPSUI_STRINGW
#undef CPSFUNC_LOAD_CPSUI_ICON
#undef CPSFUNC_GET_PFNPROPSHEETUI_ICON
#undef CPSFUNC_ADD_PROPSHEETPAGEA
#undef CPSFUNC_INSERT_PSUIPAGEA
#undef CPSFUNC_INSERT_PSUIPAGEW
#undef CPSFUNC_SET_PSUIPAGE_TITLEA
#undef CPSFUNC_SET_PSUIPAGE_TITLEW
#undef CPSFUNC_SET_PSUIPAGE_ICON
#undef CPSFUNC_SET_DATABLOCK
#undef CPSFUNC_QUERY_DATABLOCK
#undef CPSFUNC_SET_DMPUB_HIDEBITS
#undef CPSFUNC_IGNORE_CPSUI_PSN_APPLY
#undef CPSFUNC_DO_APPLY_CPSUI
#undef CPSFUNC_SET_FUSION_CONTEXT

#define UNICODE
#include <windows.h>
#include <compstui.h>
#include <winddiui.h>

namespace {

namespace com = plugin::com;

constexpr long long kWindowsResults[] = {S_OK, S_FALSE, E_NOTIMPL, E_NOINTERFACE, E_POINTER,
                                         E_FAIL, E_OUTOFMEMORY, CLASS_E_NOAGGREGATION,
                                         CLASS_E_CLASSNOTAVAILABLE};
constexpr long long kWindowsSheet[] = {
    PROPSHEETUI_INFO_VERSION, PROPSHEETUI_REASON_INIT, PROPSHEETUI_REASON_GET_INFO_HEADER,
    PROPSHEETUI_REASON_DESTROY, PROPSHEETUI_REASON_SET_RESULT, PROPSHEETUI_REASON_GET_ICON,
    CPSFUNC_ADD_HPROPSHEETPAGE, CPSFUNC_ADD_PROPSHEETPAGEW, CPSFUNC_ADD_PCOMPROPSHEETUIA,
    CPSFUNC_ADD_PCOMPROPSHEETUIW, CPSFUNC_ADD_PFNPROPSHEETUIA, CPSFUNC_ADD_PFNPROPSHEETUIW,
    CPSFUNC_DELETE_HCOMPROPSHEET, CPSFUNC_SET_HSTARTPAGE, CPSFUNC_GET_PAGECOUNT,
    CPSFUNC_SET_RESULT, CPSFUNC_GET_HPSUIPAGES, CPSFUNC_LOAD_CPSUI_STRINGA,
    CPSFUNC_LOAD_CPSUI_STRINGW, CPSFUNC_LOAD_CPSUI_ICON, CPSFUNC_GET_PFNPROPSHEETUI_ICON,
    CPSFUNC_ADD_PROPSHEETPAGEA, CPSFUNC_INSERT_PSUIPAGEA, CPSFUNC_INSERT_PSUIPAGEW,
    CPSFUNC_SET_PSUIPAGE_TITLEA, CPSFUNC_SET_PSUIPAGE_TITLEW, CPSFUNC_SET_PSUIPAGE_ICON,
    CPSFUNC_SET_DATABLOCK, CPSFUNC_QUERY_DATABLOCK, CPSFUNC_SET_DMPUB_HIDEBITS,
    CPSFUNC_IGNORE_CPSUI_PSN_APPLY, CPSFUNC_DO_APPLY_CPSUI, CPSFUNC_SET_FUSION_CONTEXT};

constexpr long long kWindowsOptions[] = {CPSUI_CANCEL, CPSUI_OK, OPTIF_CHANGED, TVOT_LISTBOX,
                                         TVOT_COMBOBOX, DMPUB_ORIENTATION, DMPUB_SCALE,
                                         DMPUB_COPIES_COLLATE, DMPUB_DEFSOURCE,
                                         DMPUB_PRINTQUALITY, DMPUB_COLOR, DMPUB_DUPLEX,
                                         DMPUB_TTOPTION, DMPUB_FORMNAME};

template <std::size_t N>
constexpr bool Same(const long long (&a)[N], const long long (&b)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (a[i] != b[i]) return false;
    return true;
}
static_assert(Same(mine::kResults, kWindowsResults));
static_assert(Same(mine::kSheet, kWindowsSheet));
static_assert(Same(mine::kOptions, kWindowsOptions));

// Scalar types.
static_assert(sizeof(com::HRESULT) == sizeof(HRESULT) && sizeof(com::ULONG) == sizeof(ULONG));
static_assert(sizeof(com::DWORD) == sizeof(DWORD) && sizeof(com::WORD) == sizeof(WORD));
static_assert(sizeof(com::BOOL) == sizeof(BOOL) && sizeof(com::LPARAM) == sizeof(LPARAM));
static_assert(sizeof(com::ULONG_PTR) == sizeof(ULONG_PTR) && sizeof(com::HANDLE) == sizeof(HANDLE));
static_assert(sizeof(char16_t) == sizeof(WCHAR));

// GUID.
static_assert(sizeof(com::GUID) == sizeof(GUID));
static_assert(offsetof(com::GUID, Data2) == offsetof(GUID, Data2));
static_assert(offsetof(com::GUID, Data3) == offsetof(GUID, Data3));
static_assert(offsetof(com::GUID, Data4) == offsetof(GUID, Data4));

// compstui.h records.
#define SAME_FIELD(mineType, winType, field) \
    static_assert(offsetof(com::mineType, field) == offsetof(winType, field), #mineType "." #field)
static_assert(sizeof(com::PROPSHEETUI_INFO) == sizeof(PROPSHEETUI_INFO));
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, Version);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, Flags);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, Reason);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, hComPropSheet);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, pfnComPropSheet);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, lParamInit);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, UserData);
SAME_FIELD(PROPSHEETUI_INFO, PROPSHEETUI_INFO, Result);

static_assert(sizeof(com::PROPSHEETUI_INFO_HEADER) == sizeof(PROPSHEETUI_INFO_HEADER));
SAME_FIELD(PROPSHEETUI_INFO_HEADER, PROPSHEETUI_INFO_HEADER, Flags);
SAME_FIELD(PROPSHEETUI_INFO_HEADER, PROPSHEETUI_INFO_HEADER, pTitle);
SAME_FIELD(PROPSHEETUI_INFO_HEADER, PROPSHEETUI_INFO_HEADER, hWndParent);
SAME_FIELD(PROPSHEETUI_INFO_HEADER, PROPSHEETUI_INFO_HEADER, hInst);
SAME_FIELD(PROPSHEETUI_INFO_HEADER, PROPSHEETUI_INFO_HEADER, hIcon);

static_assert(sizeof(com::SETRESULT_INFO) == sizeof(SETRESULT_INFO));
SAME_FIELD(SETRESULT_INFO, SETRESULT_INFO, wReserved);
SAME_FIELD(SETRESULT_INFO, SETRESULT_INFO, hSetResult);
SAME_FIELD(SETRESULT_INFO, SETRESULT_INFO, Result);

static_assert(sizeof(com::OPTPARAM) == sizeof(OPTPARAM));
SAME_FIELD(OPTPARAM, OPTPARAM, pData);
SAME_FIELD(OPTPARAM, OPTPARAM, IconID);
SAME_FIELD(OPTPARAM, OPTPARAM, lParam);
static_assert(sizeof(com::OPTTYPE) == sizeof(OPTTYPE));
SAME_FIELD(OPTTYPE, OPTTYPE, Type);
SAME_FIELD(OPTTYPE, OPTTYPE, Count);
SAME_FIELD(OPTTYPE, OPTTYPE, pOptParam);
SAME_FIELD(OPTTYPE, OPTTYPE, Style);
static_assert(sizeof(com::OPTITEM) == sizeof(OPTITEM));
SAME_FIELD(OPTITEM, OPTITEM, Flags);
SAME_FIELD(OPTITEM, OPTITEM, pName);
SAME_FIELD(OPTITEM, OPTITEM, Sel);
SAME_FIELD(OPTITEM, OPTITEM, pOptType);
SAME_FIELD(OPTITEM, OPTITEM, DMPubID);
SAME_FIELD(OPTITEM, OPTITEM, pOIExt);

// The driver kit's OEM records: pointer-sized members after 32-bit ones are aligned to the
// pointer size, so the published layout differs between the two word sizes.
constexpr bool kWin64 = sizeof(void*) == 8;
static_assert(sizeof(com::OEMDMPARAM) == (kWin64 ? 72 : 36));
static_assert(offsetof(com::OEMDMPARAM, pOEMDMIn) == (kWin64 ? 48 : 24));
static_assert(offsetof(com::OEMDMPARAM, pOEMDMOut) == (kWin64 ? 56 : 28));
static_assert(offsetof(com::OEMDMPARAM, cbBufSize) == (kWin64 ? 64 : 32));
// DevMode bounds its reading of the input block by these two fields of the input device mode.
static_assert(offsetof(DEVMODEW, dmSize) == 68 && offsetof(DEVMODEW, dmDriverExtra) == 70);

static_assert(sizeof(com::OEMCUIPPARAM) == (kWin64 ? 120 : 60));
static_assert(offsetof(com::OEMCUIPPARAM, pOEMDM) == (kWin64 ? 56 : 28));
static_assert(offsetof(com::OEMCUIPPARAM, dwFlags) == (kWin64 ? 64 : 32));
static_assert(offsetof(com::OEMCUIPPARAM, pDrvOptItems) == (kWin64 ? 72 : 36));
static_assert(offsetof(com::OEMCUIPPARAM, cDrvOptItems) == (kWin64 ? 80 : 40));
static_assert(offsetof(com::OEMCUIPPARAM, pOEMOptItems) == (kWin64 ? 88 : 44));
static_assert(offsetof(com::OEMCUIPPARAM, cOEMOptItems) == (kWin64 ? 96 : 48));
static_assert(offsetof(com::OEMCUIPPARAM, OEMCUIPCallback) == (kWin64 ? 112 : 56));

static_assert(sizeof(com::OEMUIPSPARAM) == (kWin64 ? 88 : 44));
static_assert(offsetof(com::OEMUIPSPARAM, pOEMDM) == (kWin64 ? 56 : 28));
static_assert(offsetof(com::OEMUIPSPARAM, pOEMUserData) == (kWin64 ? 64 : 32));
static_assert(offsetof(com::OEMUIPSPARAM, dwFlags) == (kWin64 ? 72 : 36));
static_assert(offsetof(com::OEMUIPSPARAM, pOemEntry) == (kWin64 ? 80 : 40));

// The interfaces are vtable-only classes: one pointer, no data.
static_assert(sizeof(com::IPrintOemUI) == sizeof(void*));
static_assert(sizeof(com::IClassFactory) == sizeof(void*));

}  // namespace
