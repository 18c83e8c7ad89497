// The host's sequence of calls to the plug-in, one report line per call.
#include "tools/driverui/DriverUiHost.h"

#include <optional>
#include <string>

#include "platform/win_constants.h"
#include "tools/driverui/CallText.h"
#include "tools/driverui/ComPropSheet.h"
#include "tools/driverui/DeviceMode.h"
#include "tools/driverui/FormOptionItem.h"
#include "tools/driverui/HostDriverUi.h"

namespace driverui {

namespace com = plugin::com;

namespace {

// The UI object the plug-in hands back to DrvUpdateUISetting (an OEMUIOBJ is opaque to it).
struct UiObject {
    int sheet = 0;
};

std::string ScopeText(DevmodeScope scope) {
    return scope == DevmodeScope::kUser ? "the user's device mode" : "the printer's device mode";
}

// One run's state that the plug-in points into while its sheet is open.
class SheetRun {
public:
    SheetRun(const HostRequest& request, HostRun& run, com::IPrintOemUI& ui)
        : request_(request), run_(run), report_(run.report), ui_(ui),
          printerName_(Widen(request.printer)), formItem_(run.forms) {}

    int Run();
    // References to the host's IPrintOemDriverUI that the plug-in holds.
    com::ULONG driverReferencesHeld() const { return driverUi_.references() - 1; }

private:
    bool Publish();
    bool MakeDevmode();
    bool MergeStored(DeviceMode& dm, com::OEMDMPARAM param);
    void ChooseForm(DeviceMode& dm);
    int ShowSheet();
    com::HRESULT PropertySheets(com::PROPSHEETUI_INFO& info);
    void TakeChangedItem();
    void Store(const std::vector<std::uint8_t>& bytes);
    bool document() const { return request_.sheet == SheetKind::kDocument; }
    com::HANDLE printer() const { return reinterpret_cast<com::HANDLE>(run_.printer); }
    com::HANDLE module() const {
        return reinterpret_cast<com::HANDLE>(run_.plugin.module().handle);
    }

    const HostRequest& request_;
    HostRun& run_;
    HostReport& report_;
    com::IPrintOemUI& ui_;
    std::u16string printerName_;
    FormOptionItem formItem_;
    UiObject uiObject_;
    std::optional<DeviceMode> devmode_;
    HostDriverUi driverUi_{report_};
    DriverUiSession session_;
};

int SheetRun::Run() {
    if (!Publish() || !MakeDevmode()) return kHostFailed;
    const int status = ShowSheet();
    driverUi_.Attach(nullptr);
    return status;
}

bool SheetRun::Publish() {
    com::HRESULT hr = ui_.PublishDriverInterface(&driverUi_);
    report_.Line("PublishDriverInterface(IPrintOemDriverUI) -> " + HresultText(hr));
    if (hr != S_OK) return false;
    struct Info {
        com::DWORD mode;
        const char* name;
    };
    for (Info info : {Info{OEMGI_GETSIGNATURE, "OEMGI_GETSIGNATURE"},
                      Info{OEMGI_GETVERSION, "OEMGI_GETVERSION"}}) {
        std::uint32_t value = 0;
        com::DWORD needed = 0;
        hr = ui_.GetInfo(info.mode, &value, sizeof value, &needed);
        report_.Line(std::string("GetInfo(") + info.name + ") -> " + HresultText(hr) +
                     (hr == S_OK ? ", " + Hex32(value) : ""));
    }
    return true;
}

bool SheetRun::MakeDevmode() {
    com::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.hPrinter = printer();
    param.hModule = module();
    com::HRESULT hr = ui_.DevMode(OEMDM_SIZE, &param);
    report_.Line("DevMode(OEMDM_SIZE) -> " + HresultText(hr) + ", " +
                 std::to_string(param.cbBufSize) + " bytes");
    // dmDriverExtra is a WORD beside a 220-byte public part.
    if (hr != S_OK || param.cbBufSize > 0xFFFFu - kPublicDevmodeSize) {
        if (hr == S_OK) report_.Line("a private device mode of that size does not fit a device mode");
        return false;
    }
    const auto privateSize = static_cast<std::uint16_t>(param.cbBufSize);
    const int defaultForm = DefaultFormIndex(run_.forms);
    devmode_.emplace(DefaultPublicDevmode(printerName_, privateSize,
                                          defaultForm < 0 ? nullptr : &run_.forms[defaultForm]),
                     privateSize);
    DeviceMode& dm = *devmode_;

    param.pPublicDMOut = reinterpret_cast<com::DEVMODEW*>(&dm.publicPart());
    param.pOEMDMOut = dm.privateBlock();
    hr = ui_.DevMode(OEMDM_DEFAULT, &param);
    report_.Line("DevMode(OEMDM_DEFAULT) -> " + HresultText(hr));
    if (hr != S_OK) return false;
    if (!MergeStored(dm, param)) return false;
    ChooseForm(dm);
    session_ = {&uiObject_, document() && !run_.forms.empty() ? &formItem_ : nullptr,
                &dm.publicPart()};
    driverUi_.Attach(&session_);
    return true;
}

// The document sheet starts from the user's device mode, else the printer's; the device sheet
// from the printer's. What the plug-in keeps of a stored private block is its own business:
// a block of its size is merged, another one converted and then merged.
bool SheetRun::MergeStored(DeviceMode& dm, com::OEMDMPARAM param) {
    std::optional<std::vector<std::uint8_t>> bytes;
    DevmodeScope from = DevmodeScope::kPrinter;
    const DevmodeScope order[] = {DevmodeScope::kUser, DevmodeScope::kPrinter};
    for (std::size_t i = document() ? 0 : 1; i < 2; ++i) {
        const DevmodeScope scope = order[i];
        bytes = run_.store.Load(scope, request_.printer);
        from = scope;
        if (bytes) break;
    }
    if (!bytes) {
        report_.Line("no stored device mode: the defaults");
        return true;
    }
    const std::string where = run_.store.Where(from, request_.printer);
    std::optional<StoredDevmode> stored = ReadStoredDevmode(*bytes);
    if (!stored) {
        report_.Line(ScopeText(from) + " (" + where + ", " + std::to_string(bytes->size()) +
                     " bytes) is not a device mode: the defaults");
        return true;
    }
    report_.Line("reads " + ScopeText(from) + " (" + where + "): " +
                 std::to_string(bytes->size()) + " bytes");
    const std::uint16_t privateSize = dm.privateSize();
    dm.publicPart() = stored->publicPart;
    dm.publicPart().dmDriverExtra = privateSize;

    // The plug-in reads the incoming block up to its own size whatever the stored one held:
    // a shorter block is given zeros behind it, never the bytes past its end.
    std::vector<std::uint8_t> incoming = stored->privateBlock;
    if (incoming.size() < privateSize) incoming.resize(privateSize, 0);
    param.pPublicDMIn = reinterpret_cast<com::DEVMODEW*>(&dm.publicPart());
    param.pOEMDMIn = incoming.data();
    if (stored->privateBlock.size() != privateSize) {
        const com::HRESULT hr = ui_.DevMode(OEMDM_CONVERT, &param);
        report_.Line("DevMode(OEMDM_CONVERT) -> " + HresultText(hr) + ", from a " +
                     std::to_string(stored->privateBlock.size()) + "-byte private block");
        if (hr != S_OK) return false;
        incoming.assign(dm.privateBlock(), dm.privateBlock() + privateSize);
        param.pOEMDMIn = incoming.data();
    }
    const com::HRESULT hr = ui_.DevMode(OEMDM_MERGE, &param);
    report_.Line("DevMode(OEMDM_MERGE) -> " + HresultText(hr));
    return hr == S_OK;
}

// The form item starts at the device mode's form; a form the spooler no longer has gives way
// to the default one, as the driver validates a device mode.
void SheetRun::ChooseForm(DeviceMode& dm) {
    if (run_.forms.empty()) return;
    const std::u16string name = dm.publicPart().dmFormName.str();
    int index = formItem_.IndexOf(name);
    if (index < 0) {
        index = DefaultFormIndex(run_.forms);
        if (!name.empty())
            report_.Line("the form \"" + Narrow(name) + "\" is not among the spooler's forms: \"" +
                         Narrow(run_.forms[index].name) + "\"");
        SetForm(dm.publicPart(), run_.forms[index]);
    }
    formItem_.Select(index);
}

com::HRESULT SheetRun::PropertySheets(com::PROPSHEETUI_INFO& info) {
    return document() ? ui_.DocumentPropertySheets(&info, 0) : ui_.DevicePropertySheets(&info, 0);
}

int SheetRun::ShowSheet() {
    DeviceMode& dm = *devmode_;
    // The driver's public device-mode options belong to the document properties.
    const bool offersForms = document() && !run_.forms.empty();
    com::OEMCUIPPARAM common{};
    common.cbSize = sizeof common;
    common.poemuiobj = reinterpret_cast<com::OEMUIOBJ*>(&uiObject_);
    common.hPrinter = printer();
    common.pPrinterName = printerName_.data();
    common.hModule = module();
    common.pPublicDM = reinterpret_cast<com::DEVMODEW*>(&dm.publicPart());
    common.pOEMDM = dm.privateBlock();
    common.pDrvOptItems = offersForms ? formItem_.item() : nullptr;
    common.cDrvOptItems = offersForms ? 1 : 0;
    const com::DWORD mode = document() ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP;
    com::HRESULT hr = ui_.CommonUIProp(mode, &common);
    report_.Line("CommonUIProp(" + CommonUiModeText(mode) + ") -> " + HresultText(hr) + ", " +
                 std::to_string(common.cDrvOptItems) + " driver option item" +
                 (common.cDrvOptItems == 1 ? "" : "s"));
    if (hr != S_OK) return kHostFailed;

    com::OEMUIPSPARAM sheetParam{};
    sheetParam.cbSize = sizeof sheetParam;
    sheetParam.poemuiobj = common.poemuiobj;
    sheetParam.hPrinter = common.hPrinter;
    sheetParam.pPrinterName = common.pPrinterName;
    sheetParam.hModule = common.hModule;
    sheetParam.pPublicDM = common.pPublicDM;
    sheetParam.pOEMDM = common.pOEMDM;

    ComPropSheet sheet(report_);
    std::optional<std::vector<std::uint8_t>> applied;
    sheet.OnApplied([&] {
        TakeChangedItem();
        applied = dm.bytes();
    });
    com::PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = sheet.handle();
    info.pfnComPropSheet = ComPropSheet::callback();
    info.lParamInit = document() ? reinterpret_cast<com::LPARAM>(&sheetParam) : 0;
    const std::string method = document() ? "DocumentPropertySheets" : "DevicePropertySheets";
    hr = PropertySheets(info);
    report_.Line(method + "(PROPSHEETUI_REASON_INIT) -> " + HresultText(hr) + ", Result " +
                 std::to_string(static_cast<com::LONG_PTR>(info.Result)) + ", " +
                 std::to_string(sheet.pages().size()) + " pages");

    int status = kHostFailed;
    if (hr == S_OK && request_.startPage >= static_cast<int>(sheet.pages().size())) {
        report_.Line("the sheet has no page " + std::to_string(request_.startPage));
    } else if (hr == S_OK) {
        const int closed = run_.dialogs.RunPropertySheet(SheetCaption(request_.printer, request_.sheet),
                                                         sheet.pages(), request_.startPage);
        if (closed == IDOK) {
            report_.Line("the sheet closed with OK");
            TakeChangedItem();
            Store(dm.bytes());
        } else if (closed == IDCANCEL) {
            report_.Line(applied ? "the sheet closed with Cancel after Apply"
                                 : "the sheet closed with Cancel: nothing stored");
            if (applied) Store(*applied);
        } else {
            report_.Line("the sheet could not be shown");
        }
        status = closed == -1 ? kHostFailed : kHostDone;
    }

    info.Reason = PROPSHEETUI_REASON_DESTROY;
    info.Result = 0;
    hr = PropertySheets(info);
    report_.Line(method + "(PROPSHEETUI_REASON_DESTROY) -> " + HresultText(hr) + ", Result " +
                 std::to_string(static_cast<com::LONG_PTR>(info.Result)));
    return status;
}

// An option item the plug-in changed without telling the driver still counts when settings
// are applied.
void SheetRun::TakeChangedItem() {
    if (!session_.formItem || !formItem_.TakeChanged()) return;
    const FormChoice* form = formItem_.Selected();
    if (!form) {
        report_.Line("the option item \"Paper Size\" changed to Sel " +
                     std::to_string(formItem_.item()->Sel) + ", which is no form: not taken");
        return;
    }
    SetForm(devmode_->publicPart(), *form);
    report_.Line("the option item \"Paper Size\" changed: form \"" + Narrow(form->name) + "\" (" +
                 std::to_string(form->paperSize) + ")");
}

void SheetRun::Store(const std::vector<std::uint8_t>& bytes) {
    const DevmodeScope scope = document() ? DevmodeScope::kUser : DevmodeScope::kPrinter;
    const std::string where = run_.store.Where(scope, request_.printer);
    if (run_.store.Save(scope, request_.printer, bytes))
        report_.Line("stores " + ScopeText(scope) + " (" + where + "): " +
                     std::to_string(bytes.size()) + " bytes");
    else
        report_.Line("cannot store " + ScopeText(scope) + " (" + where + ")");
}

}  // namespace

int DefaultFormIndex(const std::vector<FormChoice>& forms) {
    for (std::size_t i = 0; i < forms.size(); ++i)
        if (forms[i].name == u"A4") return static_cast<int>(i);
    return forms.empty() ? -1 : 0;
}

std::u16string SheetCaption(const std::string& printer, SheetKind sheet) {
    return Widen(printer) +
           (sheet == SheetKind::kDocument ? u" Printing Preferences" : u" Properties");
}

int RunDriverUi(const HostRequest& request, HostRun& run) {
    HostReport& report = run.report;
    void* out = nullptr;
    com::HRESULT hr = run.plugin.getClassObject()(com::CLSID_OEMUI, com::IID_IClassFactory, &out);
    report.Line("DllGetClassObject(CLSID_OEMUI, IID_IClassFactory) -> " + HresultText(hr));
    if (hr != S_OK || !out) return kHostFailed;
    auto* factory = static_cast<com::IClassFactory*>(out);
    void* object = nullptr;
    hr = factory->CreateInstance(nullptr, com::IID_IPrintOemUI, &object);
    report.Line("CreateInstance(IID_IPrintOemUI) -> " + HresultText(hr));
    report.Line("IClassFactory::Release() -> " + std::to_string(factory->Release()));
    if (hr != S_OK || !object) return kHostFailed;

    auto* ui = static_cast<com::IPrintOemUI*>(object);
    int status = kHostFailed;
    {
        SheetRun sheetRun(request, run, *ui);
        status = sheetRun.Run();
        report.Line("IPrintOemUI::Release() -> " + std::to_string(ui->Release()));
        // The last Release gives back the driver interface the plug-in kept.
        if (const com::ULONG held = sheetRun.driverReferencesHeld())
            report.Line("the plug-in still holds " + std::to_string(held) +
                        " reference(s) to IPrintOemDriverUI");
    }
    if (CanUnloadNowFn canUnload = run.plugin.canUnloadNow())
        report.Line("DllCanUnloadNow() -> " + HresultText(canUnload()));
    return status;
}

}  // namespace driverui
