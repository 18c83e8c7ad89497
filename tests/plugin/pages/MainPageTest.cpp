// The "Main" page on the document sheet: the paper list mirrors the driver's paper-size item, a
// choice goes to the item and the driver and its name to the device mode, the text-as-graphics
// buttons follow the device mode and lock while a watermark, zoom or rotation is on.
#include "tests/plugin/pages/SheetHarness.h"

#include "platform/win_constants.h"
#include "plugin/pages/MainPage.h"
#include "plugin/pages/WatermarkSwitchedOff.h"

namespace {

using pagetest::SheetHarness;
using pagetest::SheetRun;

class MainPageTest : public SheetHarness {
protected:
    MainPageTest() { plugin::TakeWatermarkSwitchedOff(); }  // no note left by another test
    static std::string Control(const std::string& rest) { return "program:     " + rest; }
    static std::string PaperList(const std::string& items) {
        return Control("1020 IDC_MAIN_PAPER_SIZE drop-down list \"\" [" + items);
    }
    static std::string Yes(const std::string& state) {
        return Control("1061 IDC_MAIN_TEXT_AS_GRAPHICS_YES auto radio button \"Yes\" " + state);
    }
    static std::string No(const std::string& state) {
        return Control("1062 IDC_MAIN_TEXT_AS_GRAPHICS_NO auto radio button \"No\" " + state);
    }
};

// The harness answers the n-th page addition with 1000 + n; the document sheet adds six.
plugin::com::HANDLE LastDocumentPage() { return reinterpret_cast<plugin::com::HANDLE>(1006); }

TEST_F(MainPageTest, TheListMirrorsTheDriversPaperItemWithItsChoiceSelected) {
    SetFormNames({u"Letter", u"A4", u"Custom Paper-ZK450i"}, 1);
    SheetRun run = RunDocumentSheet("show\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has(PaperList("\"Letter\", \"A4\", \"Custom Paper-ZK450i\"] selected #1")));
    // Default device mode: text as text, nothing locking the choice.
    EXPECT_TRUE(run.Has(Yes("unchecked")));
    EXPECT_TRUE(run.Has(No("checked")));
    // The hidden rotation, zoom and scale controls stay out of reach.
    EXPECT_TRUE(run.Has(Control("1071 IDC_MAIN_ROTATE_180 auto radio button \"Rotate by 180 Degrees\" unchecked disabled hidden")));
    EXPECT_TRUE(run.Has(Control("1070 IDC_MAIN_ROTATE_NORMAL auto radio button \"Nomal\" checked hidden")));
    EXPECT_TRUE(run.Has(Control("1073 IDC_MAIN_ZOOM auto check box \"Zoom Printing\" unchecked disabled hidden")));
    EXPECT_EQ(run.LinesWith("1047 IDC_MAIN_SCALE edit \"100\" disabled hidden").size(), 1u);
    EXPECT_TRUE(updateCalls().empty());
    EXPECT_TRUE(setResults().empty());
}

TEST_F(MainPageTest, AChoiceGoesToTheItemTheDriverAndTheDeviceMode) {
    SheetRun run = RunDocumentSheet("choose 1020 A4\nshow\nclick IDOK\n");
    EXPECT_EQ(run.result, IDOK);
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\""));  // enabled by the choice
    EXPECT_EQ(formItem().Sel, 1);
    EXPECT_TRUE(formItem().Flags & OPTIF_CHANGED);
    EXPECT_EQ(devmode().paperSizeName.str(), u"A4");
    // One call for the choice, one for OK's apply; each with the item already changed.
    ASSERT_EQ(updateCalls().size(), 2u);
    for (const pagetest::UpdateCall& call : updateCalls()) {
        EXPECT_EQ(call.uiObject, uiObject());
        EXPECT_EQ(call.item, &formItem());
        EXPECT_EQ(call.previousSelection, 0u);
        EXPECT_EQ(call.mode, static_cast<plugin::com::DWORD>(OEMCUIP_DOCPROP));
        EXPECT_EQ(call.selection, 1);
        EXPECT_TRUE(call.flags & OPTIF_CHANGED);
    }
    ASSERT_EQ(setResults().size(), 1u);
    EXPECT_EQ(setResults()[0].sheet, sheetHandle());
    EXPECT_EQ(setResults()[0].handle, LastDocumentPage());
    EXPECT_EQ(setResults()[0].result, CPSUI_OK);
}

TEST_F(MainPageTest, ApplyStoresTheChoiceAndTellsTheSheetNothingIsPending) {
    SheetRun run = RunDocumentSheet("choose 1020 Custom Paper-ZK450i\napply\nshow\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\" disabled"));
    EXPECT_EQ(devmode().paperSizeName.str(), u"Custom Paper-ZK450i");
    EXPECT_EQ(formItem().Sel, 2);
    EXPECT_EQ(updateCalls().size(), 2u);
    EXPECT_EQ(setResults().size(), 1u);
}

TEST_F(MainPageTest, WithoutAPaperItemTheListIsEmptyAndApplyChangesOnlyTheRotation) {
    WithoutFormItem();
    devmode().paperSizeName.assign(u"A4");
    devmode().rotate180.byte = 5;  // a block from elsewhere: any non-zero byte means rotated
    SheetRun run = RunDocumentSheet("show\nclick IDOK\n");
    EXPECT_TRUE(run.Has(PaperList("] no selection")));
    EXPECT_EQ(devmode().paperSizeName.str(), u"A4");
    EXPECT_EQ(devmode().rotate180.byte, 1);
    EXPECT_TRUE(updateCalls().empty());
    EXPECT_EQ(setResults().size(), 1u);
}

// The stored name selects nothing at initialisation when it is no longer offered; the
// activation that follows selects the driver's own paper, and applying stores its name.
TEST_F(MainPageTest, AStaleStoredNameGivesWayToTheDriversPaper) {
    devmode().paperSizeName.assign(u"B5 (JIS)");
    SetFormNames({u"Letter", u"A4"}, 1);
    SheetRun run = RunDocumentSheet("show\nclick IDOK\n");
    EXPECT_TRUE(run.Has(PaperList("\"Letter\", \"A4\"] selected #1")));
    EXPECT_EQ(devmode().paperSizeName.str(), u"A4");
}

// The driver's own pages may change the paper while the sheet is open, so every activation
// selects the item's choice, also over a stored name that is offered.
TEST_F(MainPageTest, ActivationSelectsTheDriversOwnPaperOverTheStoredName) {
    SetFormNames({u"Letter", u"A4"}, 0);
    devmode().paperSizeName.assign(u"a4");
    SheetRun run = RunDocumentSheet("show\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has(PaperList("\"Letter\", \"A4\"] selected #0")));
}

TEST_F(MainPageTest, YesAndNoStoreTheChoiceAndEnableApply) {
    SheetRun run = RunDocumentSheet("click 1061\nshow\nclick IDCANCEL\n");
    EXPECT_TRUE(devmode().textAsGraphics);
    EXPECT_TRUE(run.Has("program:   12321 button \"&Apply\""));
    RunDocumentSheet("click 1062\nclick IDOK\n");
    EXPECT_EQ(devmode().textAsGraphics.byte, 0);
}

TEST_F(MainPageTest, AWatermarkZoomOrRotationForcesYesAndLocksBothButtons) {
    struct Case {
        const char* what;
        void (*prepare)(plugin::OemDevmode&);
    };
    const Case cases[] = {
        {"text watermark", [](plugin::OemDevmode& dm) { dm.watermarkMode = plugin::WatermarkMode::Text; }},
        {"image watermark", [](plugin::OemDevmode& dm) { dm.watermarkMode = plugin::WatermarkMode::Image; }},
        {"zoom", [](plugin::OemDevmode& dm) { dm.zoomPrinting = true; }},
        {"rotation", [](plugin::OemDevmode& dm) { dm.rotate180 = true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        devmode() = plugin::DefaultOemDevmode();
        c.prepare(devmode());
        SheetRun run = RunDocumentSheet("show\nclick IDCANCEL\n");
        EXPECT_TRUE(run.Has(Yes("checked disabled")));
        EXPECT_TRUE(run.Has(No("unchecked disabled")));
    }
    // Nothing on: both free.
    devmode() = plugin::DefaultOemDevmode();
    SheetRun run = RunDocumentSheet("show\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has(Yes("unchecked")));
    EXPECT_TRUE(run.Has(No("checked")));
}

TEST_F(MainPageTest, AfterTheWatermarkIsSwitchedOffTheNextActivationShowsNo) {
    devmode().textAsGraphics = true;
    plugin::RaiseWatermarkSwitchedOff();
    SheetRun run = RunDocumentSheet("show\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has(Yes("unchecked")));
    EXPECT_TRUE(run.Has(No("checked")));
    EXPECT_FALSE(plugin::TakeWatermarkSwitchedOff());  // the page took the note

    // Without the note the stored choice shows.
    run = RunDocumentSheet("show\nclick IDCANCEL\n");
    EXPECT_TRUE(run.Has(Yes("checked")));
}

// The paper-name field holds 31 characters. A longer name is not stored cut, which could name
// another form; the field is left empty and the item's Sel stands for the paper.
TEST_F(MainPageTest, ANameTooLongForTheFieldIsNotStoredCut) {
    const std::u16string longest = u"Custom Paper-ABCDEFGHIJKLMNOPQR";  // 31
    const std::u16string tooLong = u"Custom Paper-ABCDEFGHIJKLMNOPQRS";  // 32
    ASSERT_EQ(longest.size(), 31u);
    SetFormNames({u"Letter", longest, tooLong}, 0);
    RunDocumentSheet("choose 1020 Custom Paper-ABCDEFGHIJKLMNOPQR\nclick IDOK\n");
    EXPECT_EQ(devmode().paperSizeName.str(), longest);
    RunDocumentSheet("choose 1020 Custom Paper-ABCDEFGHIJKLMNOPQRS\nclick IDOK\n");
    EXPECT_EQ(devmode().paperSizeName.str(), u"");
    EXPECT_EQ(formItem().Sel, 2);
}

TEST(StoredPaperName, KeepsOnlyNamesTheFieldHoldsWhole) {
    struct Case {
        std::u16string listText;
        std::u16string stored;
    };
    const Case cases[] = {
        {u"", u""},
        {u"A4", u"A4"},
        {std::u16string(31, u'x'), std::u16string(31, u'x')},
        {std::u16string(32, u'x'), u""},
        {std::u16string(300, u'x'), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listText.size());
        EXPECT_EQ(plugin::StoredPaperName(c.listText), c.stored);
    }
}

}  // namespace
