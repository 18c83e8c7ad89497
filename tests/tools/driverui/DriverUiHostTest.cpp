// The host's sequence against a plug-in of the test's own: the call order, which stored
// device mode a sheet starts from and how it is merged, and what is stored when the sheet
// closes.
#include "tools/driverui/DriverUiHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/win_constants.h"
#include "tests/tools/driverui/FakePlugin.h"
#include "tools/driverui/DeviceMode.h"
#include "tools/driverui/HostDriverUi.h"

namespace {

using namespace driverui;
using drivertest::FakePlugin;
using drivertest::FakePluginModule;

struct Lines final : HostReport {
    std::vector<std::string> lines;
    void Line(const std::string& text) override { lines.push_back(text); }
    bool Has(const std::string& start) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(start, 0) == 0; });
    }
};

// The sheet: the test acts as the person (and the pages) while it is shown.
struct Sheet final : plat::Dialogs {
    int closeWith = IDOK;
    std::function<void()> whileShown;
    std::u16string caption;
    std::size_t pages = 0;
    int RunModal(plat::ModuleRef, int, plat::DialogLogic&) override { return -1; }
    int RunPropertySheet(std::u16string_view c, std::span<const plat::PROPSHEETPAGEW> p,
                         int) override {
        caption = c;
        pages = p.size();
        if (whileShown) whileShown();
        return closeWith;
    }
};

const std::vector<FormChoice> kForms = {{u"Letter", 1}, {u"A4", 9}, {u"A5", 11}};

class HostWithFakePlugin : public testing::Test {
protected:
    int Run(SheetKind kind) {
        FakePluginModule module(plugin);
        HostRun run{sheet, report, store, module, 0x77, kForms};
        HostRequest request;
        request.printer = "Receipt";
        request.sheet = kind;
        return RunDriverUi(request, run);
    }
    // A stored device mode with the given private block and form.
    static std::vector<std::uint8_t> Stored(std::vector<std::uint8_t> privateBlock,
                                            const FormChoice& form) {
        DeviceMode dm(DefaultPublicDevmode(u"Receipt", 0, &form),
                      static_cast<std::uint16_t>(privateBlock.size()));
        std::vector<std::uint8_t> bytes = dm.bytes();
        std::copy(privateBlock.begin(), privateBlock.end(), bytes.begin() + kPublicDevmodeSize);
        return bytes;
    }
    static std::optional<StoredDevmode> Kept(MemoryDevmodeStore& store, DevmodeScope scope) {
        auto bytes = store.Load(scope, "Receipt");
        return bytes ? ReadStoredDevmode(*bytes) : std::nullopt;
    }

    FakePlugin plugin;
    Sheet sheet;
    Lines report;
    MemoryDevmodeStore store;
};

TEST_F(HostWithFakePlugin, CallsThePluginInTheDriversOrder) {
    EXPECT_EQ(Run(SheetKind::kDocument), kHostDone);
    const std::vector<std::string> expected = {
        "PublishDriverInterface", "GetInfo 1", "GetInfo 3", "DevMode 1", "DevMode 2",
        "CommonUIProp 1", "DocumentPropertySheets 0", "DocumentPropertySheets 2"};
    EXPECT_EQ(plugin.calls, expected);
    EXPECT_EQ(sheet.caption, u"Receipt Printing Preferences");
    EXPECT_EQ(sheet.pages, 2u);
    EXPECT_TRUE(report.Has("DocumentPropertySheets(PROPSHEETUI_REASON_INIT) -> S_OK, Result 2, 2 pages"));
    EXPECT_TRUE(report.Has("DllCanUnloadNow() -> S_OK"));
    EXPECT_FALSE(report.Has("the plug-in still holds"));
}

TEST_F(HostWithFakePlugin, TheDeviceSheetGetsNoFormItemAndNoSheetParameter) {
    EXPECT_EQ(Run(SheetKind::kDevice), kHostDone);
    EXPECT_EQ(plugin.calls[5], "CommonUIProp 2");
    EXPECT_EQ(plugin.sheet.lParamInit, 0);
    EXPECT_EQ(sheet.caption, u"Receipt Properties");
    // The document sheet's parameter block carries the same device mode as CommonUIProp's.
    FakePlugin documentPlugin;
    FakePluginModule module(documentPlugin);
    HostRun run{sheet, report, store, module, 0x77, kForms};
    ASSERT_EQ(RunDriverUi({"Receipt", SheetKind::kDocument, ""}, run), kHostDone);
    auto* param = reinterpret_cast<plugin::com::OEMUIPSPARAM*>(documentPlugin.sheet.lParamInit);
    ASSERT_NE(param, nullptr);
    EXPECT_EQ(documentPlugin.common->cDrvOptItems, 1u);
    EXPECT_EQ(documentPlugin.common->pDrvOptItems->DMPubID, DMPUB_FORMNAME);
}

TEST_F(HostWithFakePlugin, ABlockOfThePluginsSizeIsMergedAnotherConvertedFirst) {
    // stored private size -> the DevMode calls after the default one
    const struct {
        std::size_t size;
        std::vector<std::string> calls;
    } cases[] = {{FakePlugin::kPrivateSize, {"DevMode 4"}},
                 {FakePlugin::kPrivateSize - 6, {"DevMode 3", "DevMode 4"}},
                 {FakePlugin::kPrivateSize + 4, {"DevMode 3", "DevMode 4"}}};
    for (const auto& c : cases) {
        FakePlugin fresh;
        MemoryDevmodeStore kept;
        kept.Save(DevmodeScope::kUser, "Receipt",
                  Stored(std::vector<std::uint8_t>(c.size, 0x42), kForms[2]));
        FakePluginModule module(fresh);
        HostRun run{sheet, report, kept, module, 0x77, kForms};
        ASSERT_EQ(RunDriverUi({"Receipt", SheetKind::kDocument, ""}, run), kHostDone);
        std::vector<std::string> devmodeCalls;
        for (const std::string& call : fresh.calls)
            if (call == "DevMode 3" || call == "DevMode 4") devmodeCalls.push_back(call);
        EXPECT_EQ(devmodeCalls, c.calls) << c.size;
        // A shorter stored block reaches the plug-in with zeros behind it.
        std::vector<std::uint8_t> expected(FakePlugin::kPrivateSize, 0);
        std::fill_n(expected.begin(), std::min(c.size, expected.size()), 0x42);
        EXPECT_EQ(fresh.lastIncoming, expected) << c.size;
        auto stored = Kept(kept, DevmodeScope::kUser);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->publicPart.dmDriverExtra, FakePlugin::kPrivateSize);
        EXPECT_EQ(stored->privateBlock, expected) << c.size;
        EXPECT_EQ(stored->publicPart.dmFormName.str(), u"A5");
    }
}

TEST_F(HostWithFakePlugin, TheDocumentSheetStartsFromTheUsersThenThePrintersDeviceMode) {
    store.Save(DevmodeScope::kPrinter, "Receipt",
               Stored(std::vector<std::uint8_t>(FakePlugin::kPrivateSize, 0x11), kForms[0]));
    sheet.closeWith = IDCANCEL;
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    EXPECT_EQ(plugin.lastIncoming[0], 0x11);

    store.Save(DevmodeScope::kUser, "Receipt",
               Stored(std::vector<std::uint8_t>(FakePlugin::kPrivateSize, 0x22), kForms[0]));
    FakePlugin second;
    FakePluginModule module(second);
    HostRun run{sheet, report, store, module, 0x77, kForms};
    ASSERT_EQ(RunDriverUi({"Receipt", SheetKind::kDocument, ""}, run), kHostDone);
    EXPECT_EQ(second.lastIncoming[0], 0x22);
    // The device sheet never reads the user's.
    FakePlugin device;
    FakePluginModule deviceModule(device);
    HostRun deviceRun{sheet, report, store, deviceModule, 0x77, kForms};
    ASSERT_EQ(RunDriverUi({"Receipt", SheetKind::kDevice, ""}, deviceRun), kHostDone);
    EXPECT_EQ(device.lastIncoming[0], 0x11);
}

TEST_F(HostWithFakePlugin, ADamagedStoredValueGivesTheDefaults) {
    std::vector<std::uint8_t> bytes =
        Stored(std::vector<std::uint8_t>(FakePlugin::kPrivateSize, 0x42), kForms[0]);
    bytes.pop_back();  // one byte short of dmSize + dmDriverExtra
    store.Save(DevmodeScope::kUser, "Receipt", bytes);
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    EXPECT_EQ(std::count(plugin.calls.begin(), plugin.calls.end(), "DevMode 4"), 0);
    auto stored = Kept(store, DevmodeScope::kUser);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->privateBlock, std::vector<std::uint8_t>(FakePlugin::kPrivateSize, 0xDD));
    EXPECT_EQ(stored->publicPart.dmFormName.str(), u"A4");  // the default form
}

TEST_F(HostWithFakePlugin, CancelStoresNothingOkStoresWhatTheSheetHolds) {
    sheet.whileShown = [&] { plugin.devmode()[0] = 0x99; };
    sheet.closeWith = IDCANCEL;
    ASSERT_EQ(Run(SheetKind::kDevice), kHostDone);
    EXPECT_FALSE(store.Load(DevmodeScope::kPrinter, "Receipt"));

    FakePlugin second;
    FakePluginModule module(second);
    sheet.whileShown = [&] { second.devmode()[0] = 0x99; };
    sheet.closeWith = IDOK;
    HostRun run{sheet, report, store, module, 0x77, kForms};
    ASSERT_EQ(RunDriverUi({"Receipt", SheetKind::kDevice, ""}, run), kHostDone);
    auto stored = Kept(store, DevmodeScope::kPrinter);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->privateBlock[0], 0x99);
    EXPECT_FALSE(store.Load(DevmodeScope::kUser, "Receipt"));
}

TEST_F(HostWithFakePlugin, CancelAfterApplyKeepsWhatWasApplied) {
    sheet.whileShown = [&] {
        plugin.devmode()[0] = 0x55;
        plugin.ReportApplied();
        plugin.devmode()[0] = 0x66;  // changed after Apply, then cancelled
    };
    sheet.closeWith = IDCANCEL;
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    auto stored = Kept(store, DevmodeScope::kUser);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->privateBlock[0], 0x55);
}

TEST_F(HostWithFakePlugin, TheFormChosenThroughTheDriverIsStored) {
    // DrvUpdateUISetting moves the form at once; an item only flagged OPTIF_CHANGED at OK.
    sheet.whileShown = [&] {
        plugin::com::OPTITEM* item = plugin.common->pDrvOptItems;
        EXPECT_EQ(item->Sel, 1);  // the default form, A4
        item->Sel = 0;
        EXPECT_EQ(plugin.driver->DrvUpdateUISetting(plugin.common->poemuiobj, item, 1,
                                                    OEMCUIP_DOCPROP),
                  S_OK);
        EXPECT_EQ(reinterpret_cast<PublicDevmode*>(plugin.common->pPublicDM)->dmPaperSize, 1);
        item->Sel = 2;
        item->Flags |= OPTIF_CHANGED;
    };
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    auto stored = Kept(store, DevmodeScope::kUser);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->publicPart.dmFormName.str(), u"A5");
    EXPECT_EQ(stored->publicPart.dmPaperSize, 11);
    EXPECT_TRUE(report.Has("DrvUpdateUISetting(item \"Paper Size\" Sel 0, previous 1, "
                           "OEMCUIP_DOCPROP) -> S_OK, form \"Letter\" (1)"));
}

TEST_F(HostWithFakePlugin, AStoredFormTheSpoolerLacksGivesWayToTheDefault) {
    store.Save(DevmodeScope::kUser, "Receipt",
               Stored(std::vector<std::uint8_t>(FakePlugin::kPrivateSize, 0), {u"Gone", 300}));
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    EXPECT_TRUE(report.Has("the form \"Gone\" is not among the spooler's forms: \"A4\""));
    EXPECT_EQ(Kept(store, DevmodeScope::kUser)->publicPart.dmPaperSize, 9);
}

TEST_F(HostWithFakePlugin, APluginThatKeepsTheDriverInterfaceIsReported) {
    plugin.releaseDriver = false;
    ASSERT_EQ(Run(SheetKind::kDocument), kHostDone);
    EXPECT_TRUE(report.Has("the plug-in still holds 1 reference(s) to IPrintOemDriverUI"));
}

TEST_F(HostWithFakePlugin, ASheetWithoutPagesIsAFailure) {
    plugin.pagesToAdd = 0;
    sheet.closeWith = -1;
    EXPECT_EQ(Run(SheetKind::kDocument), kHostFailed);
    // The plug-in still hears that the sheet is gone.
    EXPECT_EQ(plugin.calls.back(), "DocumentPropertySheets 2");
}

TEST(DefaultForm, IsA4WhenTheSpoolerHasItElseTheFirstForm) {
    EXPECT_EQ(DefaultFormIndex(kForms), 1);
    EXPECT_EQ(DefaultFormIndex({{u"Letter", 1}, {u"Legal", 5}}), 0);
    EXPECT_EQ(DefaultFormIndex({}), -1);
}

}  // namespace
