// The page tests' fixture: the real plug-in object shows its document or device sheet on a fresh
// simulated machine, as the universal driver would, and an automation script works the pages.
//
// The machine has the printer "VTX-80R". The driver is a stand-in that records what the pages
// ask of it (DrvUpdateUISetting), the sheet's callback records the pages it is given and every
// CPSFUNC_SET_RESULT, the private device mode starts as the plug-in's defaults (its own DevMode
// with OEMDM_DEFAULT), and the driver's option items hold one paper-size item (DMPUB_FORMNAME)
// whose names a test may set. A run builds the sheet (CommonUIProp, then PROPSHEETUI_REASON_INIT),
// shows it with RunPropertySheet on a process that runs the script, and destroys it; the device
// mode, the option items and the recorded calls stay for the test to look at.
//
//   TEST_F(SheetHarness, ...) {
//       SheetRun run = RunDocumentSheet("tab Version\nshow\nclick IDOK\n");
//       EXPECT_EQ(run.result, IDOK);
//       EXPECT_TRUE(run.Has("program:   page 105:"));
//   }
//
// A script error ends the process (status 3): run it inside EXPECT_EXIT.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/property_sheet.h"
#include "platform/sim/state/print_provider.h"
#include "plugin/com/ModuleCounters.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/OemDevmode.h"
#include "tests/support/scripted_machine.h"

namespace pagetest {

namespace com = plugin::com;

// One DrvUpdateUISetting call: the driver's UI object, the item, the previous selection, the
// mode, and the item's Sel and Flags as they stood during the call.
struct UpdateCall {
    void* uiObject = nullptr;
    const com::OPTITEM* item = nullptr;
    com::DWORD previousSelection = 0;
    com::DWORD mode = 0;
    com::LONG selection = 0;
    com::DWORD flags = 0;
};

// One pfnComPropSheet(sheet, CPSFUNC_SET_RESULT, handle, result) call.
struct SetResultCall {
    com::HANDLE sheet = nullptr;
    com::HANDLE handle = nullptr;
    com::LPARAM result = 0;
};

// What a run showed: the sheet's answer (IDOK, IDCANCEL, -1) and the transcript lines written
// while it ran.
struct SheetRun {
    int result = 0;
    std::vector<std::string> transcript;
    bool Has(const std::string& line) const;
    // The lines that contain `part`.
    std::vector<std::string> LinesWith(const std::string& part) const;
};

class SheetHarness : public testsupport::ScriptedMachineTest {
protected:
    static constexpr char16_t kPrinterName[] = u"VTX-80R";

    SheetHarness();
    ~SheetHarness() override;

    // The document sheet (printing preferences) or the device sheet (printer properties) with
    // the plug-in's pages, worked by the script; `startPage` is the tab shown first.
    SheetRun RunDocumentSheet(const std::string& script, int startPage = 0);
    SheetRun RunDeviceSheet(const std::string& script, int startPage = 0);

    // The private device mode the pages edit (also before a run, to prepare it).
    plugin::OemDevmode& devmode() { return devmode_; }
    // The driver's paper-size item and its choices; SetFormNames replaces the choices and
    // selects `selection`. The default names are "Letter", "A4", "Custom Paper-ZK450i", Letter
    // selected.
    com::OPTITEM& formItem() { return driverItems_[0]; }
    void SetFormNames(const std::vector<std::u16string>& names, com::LONG selection);
    // Leaves the paper-size item out of the driver's option items (cDrvOptItems 0).
    void WithoutFormItem() { driverItemCount_ = 0; }
    // The driver's UI object the parameter blocks carry.
    void* uiObject() { return &uiObject_; }
    // The sheet handle the driver gave the plug-in.
    com::HANDLE sheetHandle() { return &sheetHandle_; }

    const std::vector<UpdateCall>& updateCalls() const { return updateCalls_; }
    const std::vector<SetResultCall>& setResults() const { return setResults_; }
    // The pages the plug-in added to the last sheet, in order.
    const std::vector<plat::PROPSHEETPAGEW>& pageRecords() const { return pageRecords_; }
    // Calls of pfnComPropSheet other than page additions and results, by function number.
    const std::vector<unsigned>& otherSheetCalls() const { return otherSheetCalls_; }
    // The raw jobs sent on the machine, and a job's bytes.
    std::vector<sim::SimJob> jobs();
    std::vector<std::uint8_t> jobData(std::uint32_t id);
    // Whether exactly one job was sent since `jobsBefore` jobs stood: a completed RAW job of
    // the document to the harness's printer, holding `bytes`.
    ::testing::AssertionResult SentOneRawJob(std::size_t jobsBefore, const std::string& document,
                                             const std::vector<std::uint8_t>& bytes);
    sim::Machine& machine() { return m.machine(); }

private:
    class Driver;
    friend class Driver;
    static com::LONG_PTR PLUGIN_STDCALL ComPropSheet(com::HANDLE sheet, unsigned function,
                                                     com::LPARAM lParam1, com::LPARAM lParam2);
    SheetRun Run(bool document, const std::string& script, int startPage);

    plugin::OemDevmode devmode_{};
    std::vector<com::OPTITEM> driverItems_;
    com::DWORD driverItemCount_ = 1;
    com::OPTTYPE formType_{};
    std::vector<com::OPTPARAM> formParams_;
    std::vector<std::u16string> formNames_;
    std::u16string formItemName_ = u"Paper Size";
    std::u16string printerName_ = kPrinterName;
    int uiObject_ = 0;
    int sheetHandle_ = 0;
    std::vector<UpdateCall> updateCalls_;
    std::vector<SetResultCall> setResults_;
    std::vector<plat::PROPSHEETPAGEW> pageRecords_;
    std::vector<unsigned> otherSheetCalls_;
    plugin::ModuleCounters counters_;
};

}  // namespace pagetest
