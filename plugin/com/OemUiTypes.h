// The printer-driver plug-in types of the universal driver's UI side, with their published layout.
//
// Records and constants of compstui.h are checked against mingw-w64's header in the Windows build
// (ComLayoutChecksWin32.cpp); the ones of the driver kit's OEM headers, which mingw-w64 lacks,
// are declared here once.
#pragma once
#include <cstdint>

#include "plugin/com/ComTypes.h"

// Mode, reason and function numbers under the driver kit's names, as macros like the kit's own:
// a file that includes the Windows headers first keeps their definitions (same values).
// ---- IPrintOemCommon::GetInfo modes ----
#ifndef OEMGI_GETSIGNATURE
#define OEMGI_GETSIGNATURE 1
#define OEMGI_GETINTERFACEVERSION 2
#define OEMGI_GETVERSION 3
#define OEMGI_GETPUBLISHERINFO 4
#endif
// ---- DevMode modes ----
#ifndef OEMDM_SIZE
#define OEMDM_SIZE 1
#define OEMDM_DEFAULT 2
#define OEMDM_CONVERT 3
#define OEMDM_MERGE 4
#endif
// ---- CommonUIProp modes ----
#ifndef OEMCUIP_DOCPROP
#define OEMCUIP_DOCPROP 1
#define OEMCUIP_PRNPROP 2
#endif
// ---- QueryColorProfile ----
#ifndef QCP_DEVICEPROFILE
#define QCP_DEVICEPROFILE 0
#define QCP_SOURCEPROFILE 1
#define QCP_PROFILEMEMORY 1
#define QCP_PROFILEDISK 2
#endif
// ---- Common property sheet UI (compstui.h) ----
#ifndef PROPSHEETUI_INFO_VERSION
#define PROPSHEETUI_INFO_VERSION 0x0100
#define PROPSHEETUI_REASON_INIT 0
#define PROPSHEETUI_REASON_GET_INFO_HEADER 1
#define PROPSHEETUI_REASON_DESTROY 2
#define PROPSHEETUI_REASON_SET_RESULT 3
#define PROPSHEETUI_REASON_GET_ICON 4
#define CPSFUNC_ADD_HPROPSHEETPAGE 0
#define CPSFUNC_ADD_PROPSHEETPAGEW 1
#define CPSFUNC_ADD_PCOMPROPSHEETUIA 2
#define CPSFUNC_ADD_PCOMPROPSHEETUIW 3
#define CPSFUNC_ADD_PFNPROPSHEETUIA 4
#define CPSFUNC_ADD_PFNPROPSHEETUIW 5
#define CPSFUNC_DELETE_HCOMPROPSHEET 6
#define CPSFUNC_SET_HSTARTPAGE 7
#define CPSFUNC_GET_PAGECOUNT 8
#define CPSFUNC_SET_RESULT 9
#define CPSFUNC_GET_HPSUIPAGES 10
#define CPSFUNC_LOAD_CPSUI_STRINGA 11
#define CPSFUNC_LOAD_CPSUI_STRINGW 12
#define CPSFUNC_LOAD_CPSUI_ICON 13
#define CPSFUNC_GET_PFNPROPSHEETUI_ICON 14
#define CPSFUNC_ADD_PROPSHEETPAGEA 15
#define CPSFUNC_INSERT_PSUIPAGEA 16
#define CPSFUNC_INSERT_PSUIPAGEW 17
#define CPSFUNC_SET_PSUIPAGE_TITLEA 18
#define CPSFUNC_SET_PSUIPAGE_TITLEW 19
#define CPSFUNC_SET_PSUIPAGE_ICON 20
#define CPSFUNC_SET_DATABLOCK 21
#define CPSFUNC_QUERY_DATABLOCK 22
#define CPSFUNC_SET_DMPUB_HIDEBITS 23
#define CPSFUNC_IGNORE_CPSUI_PSN_APPLY 24
#define CPSFUNC_DO_APPLY_CPSUI 25
#endif
#ifndef PROPSHEETUI_REASON_BEFORE_INIT
#define PROPSHEETUI_REASON_BEFORE_INIT 5
#endif
#ifndef CPSFUNC_SET_FUSION_CONTEXT
#define CPSFUNC_SET_FUSION_CONTEXT 26
#endif
// ---- Option items of the driver's own tree (compstui.h) ----
#ifndef CPSUI_OK
#define CPSUI_CANCEL 0
#define CPSUI_OK 1
#endif
#ifndef OPTIF_CHANGED
#define OPTIF_CHANGED 0x00000008
#endif
#ifndef TVOT_LISTBOX
#define TVOT_LISTBOX 5
#define TVOT_COMBOBOX 6
#endif
#ifndef DMPUB_FORMNAME
#define DMPUB_ORIENTATION 1
#define DMPUB_SCALE 2
#define DMPUB_COPIES_COLLATE 3
#define DMPUB_DEFSOURCE 4
#define DMPUB_PRINTQUALITY 5
#define DMPUB_COLOR 6
#define DMPUB_DUPLEX 7
#define DMPUB_TTOPTION 8
#define DMPUB_FORMNAME 9
#endif

namespace plugin::com {

// The handle value "none" of sheet and page handles (INVALID_HANDLE_VALUE).
inline HANDLE InvalidHandle() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

// Opaque driver records the plug-in only passes along.
struct OEMUIOBJ;
struct DEVMODEW;

// One choice of an option item (OPTPARAM): pData is its display name. The driver's UI is
// Unicode, so the texts are UTF-16.
struct OPTPARAM {
    WORD cbSize;
    std::uint8_t Flags;
    std::uint8_t Style;
    char16_t* pData;
    ULONG_PTR IconID;
    LPARAM lParam;
    ULONG_PTR dwReserved[2];
};

// The kind of an option item and its choices (OPTTYPE).
struct OPTTYPE {
    WORD cbSize;
    std::uint8_t Type;  // TVOT_*
    std::uint8_t Flags;
    WORD Count;         // entries of pOptParam
    WORD BegCtrlID;
    OPTPARAM* pOptParam;
    WORD Style;
    WORD wReserved[3];
    ULONG_PTR dwReserved[3];
};

// One item of the driver's option tree (OPTITEM). For a list item Sel is the chosen index of
// pOptType->pOptParam; DMPubID names the public setting the item stands for (DMPUB_*).
struct OPTITEM {
    WORD cbSize;
    std::uint8_t Level;
    std::uint8_t DlgPageIdx;
    DWORD Flags;  // OPTIF_*
    ULONG_PTR UserData;
    char16_t* pName;
    union {
        LONG Sel;
        char16_t* pSel;
    };
    void* pExtChkBox;  // or pExtPush
    OPTTYPE* pOptType;
    DWORD HelpIndex;
    std::uint8_t DMPubID;
    std::uint8_t UserItemID;
    WORD wReserved;
    void* pOIExt;
    ULONG_PTR dwReserved[3];
};

using PFNCOMPROPSHEET = LONG_PTR(PLUGIN_STDCALL*)(HANDLE hComPropSheet, unsigned function,
                                                  LPARAM lParam1, LPARAM lParam2);
using OEMCUIPCALLBACK = LONG(PLUGIN_STDCALL*)(void* pCPSUICBParam, void* pOEMCUIPParam);

struct PROPSHEETUI_INFO {
    WORD cbSize;
    WORD Version;
    WORD Flags;
    WORD Reason;
    HANDLE hComPropSheet;
    PFNCOMPROPSHEET pfnComPropSheet;
    LPARAM lParamInit;
    ULONG_PTR UserData;
    ULONG_PTR Result;
};

struct PROPSHEETUI_INFO_HEADER {
    WORD cbSize;
    WORD Flags;
    char16_t* pTitle;  // the driver's UI is Unicode
    HANDLE hWndParent;
    HANDLE hInst;
    union {
        HANDLE hIcon;
        ULONG_PTR IconID;
    };
};

struct SETRESULT_INFO {
    WORD cbSize;
    WORD wReserved;
    HANDLE hSetResult;
    LONG_PTR Result;  // LRESULT
};

struct OEMDMPARAM {
    DWORD cbSize;
    void* pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    DEVMODEW* pPublicDMIn;
    DEVMODEW* pPublicDMOut;
    void* pOEMDMIn;
    void* pOEMDMOut;
    DWORD cbBufSize;
};

struct OEMCUIPPARAM {
    DWORD cbSize;
    OEMUIOBJ* poemuiobj;
    HANDLE hPrinter;
    char16_t* pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    DEVMODEW* pPublicDM;
    void* pOEMDM;
    DWORD dwFlags;
    OPTITEM* pDrvOptItems;
    DWORD cDrvOptItems;
    OPTITEM* pOEMOptItems;
    DWORD cOEMOptItems;
    void* pOEMUserData;
    OEMCUIPCALLBACK OEMCUIPCallback;
};

struct OEMUIPSPARAM {
    DWORD cbSize;
    OEMUIOBJ* poemuiobj;
    HANDLE hPrinter;
    char16_t* pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    DEVMODEW* pPublicDM;
    void* pOEMDM;
    void* pOEMUserData;
    DWORD dwFlags;
    void* pOemEntry;
};

// {ABCE80D7-9F46-11D1-882A-00C04FB961EC}: the class the factory answers for.
inline constexpr CLSID CLSID_OEMUI = {0xABCE80D7, 0x9F46, 0x11D1,
                                      {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
// {C6A7A9D0-774C-11D1-947F-00A0C90640B8}
inline constexpr IID IID_IPrintOemUI = {0xC6A7A9D0, 0x774C, 0x11D1,
                                        {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
// {92B05D50-78BC-11D1-9480-00A0C90640B8}
inline constexpr IID IID_IPrintOemDriverUI = {0x92B05D50, 0x78BC, 0x11D1,
                                              {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};

// The universal driver's helper interface, handed to PublishDriverInterface.
class IPrintOemDriverUI : public IUnknown {
public:
    virtual HRESULT PLUGIN_STDCALL DrvGetDriverSetting(void* pci, const char* feature,
                                                       void* output, DWORD cbSize,
                                                       DWORD* pcbNeeded,
                                                       DWORD* pdwOptionsReturned) = 0;
    virtual HRESULT PLUGIN_STDCALL DrvUpgradeRegistrySetting(HANDLE hPrinter, const char* feature,
                                                             const char* option) = 0;
    virtual HRESULT PLUGIN_STDCALL DrvUpdateUISetting(void* pci, void* pOptItem,
                                                      DWORD dwPreviousSelection,
                                                      DWORD dwMode) = 0;

protected:
    ~IPrintOemDriverUI() = default;
};

// The plug-in's interface: IPrintOemCommon's two methods, then IPrintOemUI's twelve.
class IPrintOemUI : public IUnknown {
public:
    // IPrintOemCommon
    virtual HRESULT PLUGIN_STDCALL GetInfo(DWORD dwMode, void* pBuffer, DWORD cbSize,
                                           DWORD* pcbNeeded) = 0;
    virtual HRESULT PLUGIN_STDCALL DevMode(DWORD dwMode, OEMDMPARAM* pOemDMParam) = 0;
    // IPrintOemUI
    virtual HRESULT PLUGIN_STDCALL PublishDriverInterface(IUnknown* pIUnknown) = 0;
    virtual HRESULT PLUGIN_STDCALL CommonUIProp(DWORD dwMode, OEMCUIPPARAM* pOemCUIPParam) = 0;
    virtual HRESULT PLUGIN_STDCALL DocumentPropertySheets(PROPSHEETUI_INFO* pPSUIInfo,
                                                          LPARAM lParam) = 0;
    virtual HRESULT PLUGIN_STDCALL DevicePropertySheets(PROPSHEETUI_INFO* pPSUIInfo,
                                                        LPARAM lParam) = 0;
    virtual HRESULT PLUGIN_STDCALL DevQueryPrintEx(OEMUIOBJ* poemuiobj, void* pDQPInfo,
                                                   DEVMODEW* pPublicDM, void* pOEMDM) = 0;
    virtual HRESULT PLUGIN_STDCALL DeviceCapabilities(OEMUIOBJ* poemuiobj, HANDLE hPrinter,
                                                      char16_t* pDeviceName, WORD wCapability,
                                                      void* pOutput, DEVMODEW* pPublicDM,
                                                      void* pOEMDM, DWORD dwOld,
                                                      DWORD* dwResult) = 0;
    virtual HRESULT PLUGIN_STDCALL UpgradePrinter(DWORD dwLevel, std::uint8_t* pDriverUpgradeInfo) = 0;
    virtual HRESULT PLUGIN_STDCALL PrinterEvent(char16_t* pPrinterName, int iDriverEvent,
                                                DWORD dwFlags, LPARAM lParam) = 0;
    virtual HRESULT PLUGIN_STDCALL DriverEvent(DWORD dwDriverEvent, DWORD dwLevel,
                                               std::uint8_t* pDriverInfo, LPARAM lParam) = 0;
    virtual HRESULT PLUGIN_STDCALL QueryColorProfile(HANDLE hPrinter, OEMUIOBJ* poemuiobj,
                                                     DEVMODEW* pPublicDM, void* pOEMDM,
                                                     ULONG ulQueryMode, void* pvProfileData,
                                                     ULONG* pcbProfileData,
                                                     ULONG* pflProfileData) = 0;
    virtual HRESULT PLUGIN_STDCALL FontInstallerDlgProc(HANDLE hWnd, unsigned usMsg,
                                                        std::uintptr_t wParam, LPARAM lParam) = 0;
    virtual HRESULT PLUGIN_STDCALL UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                       char16_t* pwstrCartridges) = 0;

protected:
    ~IPrintOemUI() = default;
};

}  // namespace plugin::com
