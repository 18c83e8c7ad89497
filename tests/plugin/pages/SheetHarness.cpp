// The page tests' fixture: the plug-in's sheets on a simulated machine, with a recording driver
// and sheet callback.
#include "tests/plugin/pages/SheetHarness.h"

#include <algorithm>

#include "platform/win_constants.h"
#include "plugin/com/OemUiClassFactory.h"

namespace pagetest {

namespace {

// The harness whose sheet is open: pfnComPropSheet is a plain function, as the driver's is.
SheetHarness* running = nullptr;

}  // namespace

// The universal driver's helper object, as far as pages use it.
class SheetHarness::Driver final : public com::IPrintOemDriverUI {
public:
    explicit Driver(SheetHarness& harness) : harness_(harness) {}
    com::HRESULT PLUGIN_STDCALL QueryInterface(const com::IID& riid, void** ppv) override {
        if (riid == com::IID_IPrintOemDriverUI || riid == com::IID_IUnknown) {
            *ppv = static_cast<com::IPrintOemDriverUI*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    com::ULONG PLUGIN_STDCALL AddRef() override { return ++references_; }
    com::ULONG PLUGIN_STDCALL Release() override { return --references_; }
    com::HRESULT PLUGIN_STDCALL DrvGetDriverSetting(void*, const char*, void*, com::DWORD,
                                                   com::DWORD*, com::DWORD*) override {
        return E_NOTIMPL;
    }
    com::HRESULT PLUGIN_STDCALL DrvUpgradeRegistrySetting(com::HANDLE, const char*,
                                                         const char*) override {
        return E_NOTIMPL;
    }
    com::HRESULT PLUGIN_STDCALL DrvUpdateUISetting(void* uiObject, void* optItem,
                                                  com::DWORD previousSelection,
                                                  com::DWORD mode) override {
        UpdateCall call{uiObject, static_cast<const com::OPTITEM*>(optItem), previousSelection, mode};
        if (call.item) {
            call.selection = call.item->Sel;
            call.flags = call.item->Flags;
        }
        harness_.updateCalls_.push_back(call);
        return S_OK;
    }

private:
    SheetHarness& harness_;
    com::ULONG references_ = 1;  // the driver's own
};

bool SheetRun::Has(const std::string& line) const {
    return std::find(transcript.begin(), transcript.end(), line) != transcript.end();
}

std::vector<std::string> SheetRun::LinesWith(const std::string& part) const {
    std::vector<std::string> lines;
    for (const std::string& line : transcript)
        if (line.find(part) != std::string::npos) lines.push_back(line);
    return lines;
}

SheetHarness::SheetHarness() {
    std::string error;
    EXPECT_TRUE(sim::AddSimPrinter(m.machine(), "VTX-80R", "USB_VTX-80R_1", error)) << error;
    // The plug-in's own defaults, as the driver asks for them.
    auto process = Process("");
    void* factory = nullptr;
    EXPECT_EQ(plugin::GetClassObject(*process, counters_, com::CLSID_OEMUI, com::IID_IClassFactory,
                                     &factory),
              S_OK);
    void* object = nullptr;
    EXPECT_EQ(static_cast<com::IClassFactory*>(factory)->CreateInstance(nullptr, com::IID_IPrintOemUI,
                                                                       &object),
              S_OK);
    static_cast<com::IClassFactory*>(factory)->Release();
    com::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    param.pOEMDMOut = &devmode_;
    param.cbBufSize = sizeof devmode_;
    EXPECT_EQ(static_cast<com::IPrintOemUI*>(object)->DevMode(OEMDM_DEFAULT, &param), S_OK);
    static_cast<com::IPrintOemUI*>(object)->Release();

    formType_.cbSize = sizeof formType_;
    formType_.Type = TVOT_COMBOBOX;
    com::OPTITEM item{};
    item.cbSize = sizeof item;
    item.pName = formItemName_.data();
    item.pOptType = &formType_;
    item.DMPubID = DMPUB_FORMNAME;
    driverItems_.push_back(item);
    SetFormNames({u"Letter", u"A4", u"Custom Paper-ZK450i"}, 0);
}

SheetHarness::~SheetHarness() = default;

void SheetHarness::SetFormNames(const std::vector<std::u16string>& names, com::LONG selection) {
    formNames_ = names;
    formParams_.assign(formNames_.size(), com::OPTPARAM{});
    for (std::size_t i = 0; i < formNames_.size(); ++i) {
        formParams_[i].cbSize = sizeof(com::OPTPARAM);
        formParams_[i].pData = formNames_[i].data();
    }
    formType_.Count = static_cast<com::WORD>(formParams_.size());
    formType_.pOptParam = formParams_.data();
    formItem().Sel = selection;
}

com::LONG_PTR PLUGIN_STDCALL SheetHarness::ComPropSheet(com::HANDLE sheet, unsigned function,
                                                        com::LPARAM lParam1, com::LPARAM lParam2) {
    SheetHarness& h = *running;
    switch (function) {
        case CPSFUNC_ADD_PROPSHEETPAGEW:
            // The sheet keeps a copy; the plug-in's record is gone after the call.
            h.pageRecords_.push_back(*reinterpret_cast<const plat::PROPSHEETPAGEW*>(lParam1));
            return static_cast<com::LONG_PTR>(1000 + h.pageRecords_.size());
        case CPSFUNC_SET_RESULT:
            h.setResults_.push_back({sheet, reinterpret_cast<com::HANDLE>(lParam1), lParam2});
            return 1;
        default:
            h.otherSheetCalls_.push_back(function);
            return 0;
    }
}

SheetRun SheetHarness::Run(bool document, const std::string& script, int startPage) {
    SheetRun run;
    const std::size_t before = Transcript().size();
    auto process = Process(script);
    plat::PrinterHandle printer = 0;
    EXPECT_TRUE(process->rawPrinting().OpenPrinterW(printerName_, printer));

    void* factory = nullptr;
    EXPECT_EQ(plugin::GetClassObject(*process, counters_, com::CLSID_OEMUI, com::IID_IClassFactory,
                                     &factory),
              S_OK);
    void* object = nullptr;
    static_cast<com::IClassFactory*>(factory)->CreateInstance(nullptr, com::IID_IPrintOemUI, &object);
    static_cast<com::IClassFactory*>(factory)->Release();
    auto* plugin = static_cast<com::IPrintOemUI*>(object);
    Driver driver(*this);
    EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK);

    const auto printerHandle = reinterpret_cast<com::HANDLE>(static_cast<std::uintptr_t>(printer));
    com::OEMCUIPPARAM common{};
    common.cbSize = sizeof common;
    common.poemuiobj = static_cast<com::OEMUIOBJ*>(uiObject());
    common.hPrinter = printerHandle;
    common.pPrinterName = printerName_.data();
    common.pOEMDM = &devmode_;
    common.pDrvOptItems = driverItems_.data();
    common.cDrvOptItems = driverItemCount_;
    EXPECT_EQ(plugin->CommonUIProp(document ? OEMCUIP_DOCPROP : OEMCUIP_PRNPROP, &common), S_OK);

    com::OEMUIPSPARAM sheetParam{};
    sheetParam.cbSize = sizeof sheetParam;
    sheetParam.poemuiobj = common.poemuiobj;
    sheetParam.hPrinter = printerHandle;
    sheetParam.pPrinterName = printerName_.data();
    sheetParam.pOEMDM = &devmode_;
    com::PROPSHEETUI_INFO info{};
    info.cbSize = sizeof info;
    info.Version = PROPSHEETUI_INFO_VERSION;
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.hComPropSheet = sheetHandle();
    info.pfnComPropSheet = &ComPropSheet;
    info.lParamInit = reinterpret_cast<com::LPARAM>(&sheetParam);

    running = this;
    pageRecords_.clear();
    const auto sheet = [&](com::WORD reason) {
        info.Reason = reason;
        EXPECT_EQ(document ? plugin->DocumentPropertySheets(&info, 0)
                           : plugin->DevicePropertySheets(&info, 0),
                  S_OK);
    };
    sheet(PROPSHEETUI_REASON_INIT);
    const std::u16string caption =
        printerName_ + (document ? u" Printing Preferences" : u" Properties");
    run.result = process->dialogs().RunPropertySheet(caption, pageRecords_, startPage);
    sheet(PROPSHEETUI_REASON_DESTROY);
    running = nullptr;

    plugin->Release();
    if (printer != 0) process->rawPrinting().ClosePrinter(printer);
    std::vector<std::string> lines = Transcript();
    run.transcript.assign(lines.begin() + static_cast<std::ptrdiff_t>(std::min(before, lines.size())),
                          lines.end());
    return run;
}

SheetRun SheetHarness::RunDocumentSheet(const std::string& script, int startPage) {
    return Run(true, script, startPage);
}

SheetRun SheetHarness::RunDeviceSheet(const std::string& script, int startPage) {
    return Run(false, script, startPage);
}

std::vector<sim::SimJob> SheetHarness::jobs() { return sim::ListSimJobs(m.machine()); }

::testing::AssertionResult SheetHarness::SentOneRawJob(std::size_t jobsBefore,
                                                       const std::string& document,
                                                       const std::vector<std::uint8_t>& bytes) {
    const std::vector<sim::SimJob> all = jobs();
    if (all.size() != jobsBefore + 1)
        return ::testing::AssertionFailure() << all.size() - jobsBefore << " jobs were sent";
    const sim::SimJob& job = all.back();
    if (job.printer != "VTX-80R" || job.document != document || job.dataType != "RAW" ||
        !job.completed)
        return ::testing::AssertionFailure() << "job \"" << job.document << "\" of "
                                             << job.printer << ", " << job.dataType
                                             << (job.completed ? "" : ", not completed");
    if (jobData(job.id) != bytes) return ::testing::AssertionFailure() << "other bytes";
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> SheetHarness::jobData(std::uint32_t id) {
    std::vector<std::uint8_t> data;
    EXPECT_TRUE(sim::ReadSimJobData(m.machine(), id, data));
    return data;
}

}  // namespace pagetest
