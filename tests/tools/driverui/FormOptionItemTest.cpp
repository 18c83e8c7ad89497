// The driver's paper-size item as the plug-in reads it, and the host's IPrintOemDriverUI acting
// on it.
#include "tools/driverui/FormOptionItem.h"

#include <gtest/gtest.h>

#include "tools/driverui/HostDriverUi.h"

namespace {

using namespace driverui;
namespace com = plugin::com;

const std::vector<FormChoice> kForms = {{u"Letter", 1}, {u"A4", 9}, {u"Custom Paper-ZK450i", 42}};

TEST(FormOptionItem, ListsTheFormsAsAListItemForTheFormName) {
    FormOptionItem form(kForms);
    com::OPTITEM* item = form.item();
    EXPECT_EQ(item->DMPubID, DMPUB_FORMNAME);
    EXPECT_EQ(item->pOptType->Type, TVOT_LISTBOX);
    ASSERT_EQ(item->pOptType->Count, 3);
    EXPECT_EQ(std::u16string(item->pOptType->pOptParam[2].pData), u"Custom Paper-ZK450i");
    EXPECT_EQ(std::u16string(item->pName), u"Paper Size");
}

TEST(FormOptionItem, FindsNamesLetterCaseAsideAndSelectsOnlyInsideTheList) {
    FormOptionItem form(kForms);
    EXPECT_EQ(form.IndexOf(u"a4"), 1);
    EXPECT_EQ(form.IndexOf(u"A4 "), -1);
    for (int sel : {-1, 3}) {
        form.Select(sel);
        EXPECT_EQ(form.Selected(), nullptr) << sel;
    }
    form.Select(2);
    ASSERT_NE(form.Selected(), nullptr);
    EXPECT_EQ(form.Selected()->paperSize, 42);
}

TEST(FormOptionItem, AChangeIsTakenOnce) {
    FormOptionItem form(kForms);
    EXPECT_FALSE(form.TakeChanged());
    form.item()->Flags |= OPTIF_CHANGED | 0x1;
    EXPECT_TRUE(form.TakeChanged());
    EXPECT_FALSE(form.TakeChanged());
    EXPECT_EQ(form.item()->Flags, 0x1u);  // other flags stay
}

struct Lines final : HostReport {
    std::vector<std::string> lines;
    void Line(const std::string& text) override { lines.push_back(text); }
};

TEST(HostDriverUi, AnswersForItsOwnInterfaceOnly) {
    Lines report;
    HostDriverUi driver(report);
    void* out = nullptr;
    EXPECT_EQ(driver.QueryInterface(com::IID_IPrintOemDriverUI, &out), S_OK);
    EXPECT_EQ(out, static_cast<com::IPrintOemDriverUI*>(&driver));
    EXPECT_EQ(driver.QueryInterface(com::IID_IUnknown, &out), S_OK);
    EXPECT_EQ(driver.QueryInterface(com::IID_IPrintOemUI, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(driver.references(), 3u);  // the host's own and the two answers
}

TEST(HostDriverUi, UpdateMovesTheSelectedFormOnlyForTheSessionsItem) {
    Lines report;
    HostDriverUi driver(report);
    FormOptionItem form(kForms);
    PublicDevmode dm = DefaultPublicDevmode(u"P", 0, &kForms[0]);
    int uiObject = 0;
    DriverUiSession session{&uiObject, &form, &dm};
    driver.Attach(&session);
    FormOptionItem other(kForms);
    form.Select(1);
    // another item, another UI object, a Sel outside the list: nothing moves
    EXPECT_EQ(driver.DrvUpdateUISetting(&uiObject, other.item(), 0, OEMCUIP_DOCPROP), E_FAIL);
    EXPECT_EQ(driver.DrvUpdateUISetting(&report, form.item(), 0, OEMCUIP_DOCPROP), E_FAIL);
    form.Select(3);
    EXPECT_EQ(driver.DrvUpdateUISetting(&uiObject, form.item(), 0, OEMCUIP_DOCPROP), E_FAIL);
    EXPECT_EQ(dm.dmFormName.str(), u"Letter");
    form.Select(1);
    EXPECT_EQ(driver.DrvUpdateUISetting(&uiObject, form.item(), 0, OEMCUIP_DOCPROP), S_OK);
    EXPECT_EQ(dm.dmFormName.str(), u"A4");
    EXPECT_EQ(dm.dmPaperSize, 9);
    EXPECT_EQ(report.lines.back(),
              "DrvUpdateUISetting(item \"Paper Size\" Sel 1, previous 0, OEMCUIP_DOCPROP) -> "
              "S_OK, form \"A4\" (9)");
    // No sheet open: refused.
    driver.Attach(nullptr);
    EXPECT_EQ(driver.DrvUpdateUISetting(&uiObject, form.item(), 0, OEMCUIP_DOCPROP), E_FAIL);
}

}  // namespace
