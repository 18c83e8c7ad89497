// The plug-in's page host behind the real plug-in object: each sheet hands the driver one
// PROPSHEETPAGEW per page in table order, each naming the library's template and carrying the
// page's logic, and keeps the pages until the sheet is destroyed.
#include "tests/plugin/com/ComFrameTest.h"

#include <set>
#include <vector>

#include "platform/property_sheet.h"
#include "plugin/pages/VersionPage.h"

namespace {

using comtest::ComFrameTest;
using plugin::OemUiPlugin;
namespace com = plugin::com;

// What the driver's sheet was given: copies of the records (the host's own is gone after the
// call), and the answer it gives each addition: 1001, 1002, ..., or 0 when refusing.
struct DriverSheet {
    std::vector<plat::PROPSHEETPAGEW> records;
    std::vector<unsigned> functions;
    bool refuse = false;
};
DriverSheet* sheet = nullptr;

com::LONG_PTR PLUGIN_STDCALL ComPropSheet(com::HANDLE, unsigned function, com::LPARAM lParam1,
                                          com::LPARAM) {
    sheet->functions.push_back(function);
    if (function != CPSFUNC_ADD_PROPSHEETPAGEW || sheet->refuse) return 0;
    sheet->records.push_back(*reinterpret_cast<const plat::PROPSHEETPAGEW*>(lParam1));
    return static_cast<com::LONG_PTR>(1000 + sheet->records.size());
}

struct PluginPageHostTest : ComFrameTest {
    void SetUp() override {
        ComFrameTest::SetUp();
        sheet = &driverSheet;
        plugin = Plugin();
        object = static_cast<OemUiPlugin*>(plugin);
        info.cbSize = sizeof info;
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.hComPropSheet = &sheetParam;
        info.pfnComPropSheet = &ComPropSheet;
        info.lParamInit = reinterpret_cast<com::LPARAM>(&sheetParam);
    }
    void TearDown() override {
        if (plugin) plugin->Release();
        sheet = nullptr;
    }
    com::HRESULT Reason(bool document, com::WORD reason) {
        info.Reason = reason;
        return document ? plugin->DocumentPropertySheets(&info, 0)
                        : plugin->DevicePropertySheets(&info, 0);
    }
    std::vector<int> Templates() {
        std::vector<int> ids;
        for (const plat::PROPSHEETPAGEW& r : driverSheet.records) ids.push_back(plat::PageOfRecord(r).templateId);
        return ids;
    }

    DriverSheet driverSheet;
    com::IPrintOemUI* plugin = nullptr;
    OemUiPlugin* object = nullptr;
    com::OEMUIPSPARAM sheetParam{};
    com::PROPSHEETUI_INFO info{};
};

TEST_F(PluginPageHostTest, TheDocumentSheetGetsItsSixPagesInOrderFromTheLibrarysTemplates) {
    ASSERT_EQ(Reason(true, PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(Templates(), (std::vector<int>{128, 131, 103, 117, 118, 105}));
    EXPECT_EQ(info.Result, 1006u);  // the last addition's answer
    std::set<plat::PropertyPageLogic*> logics;
    for (const plat::PROPSHEETPAGEW& r : driverSheet.records) {
        EXPECT_EQ(r.dwSize, sizeof(plat::PROPSHEETPAGEW));
        // The library's module: here the test program, which links the plug-in's code.
        EXPECT_EQ(r.hInstance, reinterpret_cast<void*>(plat::ThisModule().handle));
        // No activation contexts on the simulated machine, so no fusion flag.
        EXPECT_EQ(r.dwFlags & plat::kPspUseFusionContext, 0u);
        EXPECT_EQ(r.hActCtx, nullptr);
        logics.insert(plat::PageOfRecord(r).logic);
    }
    EXPECT_EQ(logics.size(), 6u);  // a logic each
    EXPECT_EQ(logics.count(nullptr), 0u);
    EXPECT_NE(dynamic_cast<plugin::VersionPage*>(plat::PageOfRecord(driverSheet.records[5]).logic),
              nullptr);
    EXPECT_EQ(object->documentPages().pageCount(), 6u);
}

TEST_F(PluginPageHostTest, TheDeviceSheetGetsItsFourPagesAndKeepsTheLastHandle) {
    ASSERT_EQ(Reason(false, PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(Templates(), (std::vector<int>{114, 113, 119, 105}));
    EXPECT_EQ(object->deviceSheet().lastPage, reinterpret_cast<com::HANDLE>(1004));
    EXPECT_NE(dynamic_cast<plugin::VersionPage*>(plat::PageOfRecord(driverSheet.records[3]).logic),
              nullptr);
    EXPECT_EQ(driverSheet.functions, std::vector<unsigned>(4, CPSFUNC_ADD_PROPSHEETPAGEW));
}

TEST_F(PluginPageHostTest, PagesLiveUntilTheirOwnSheetIsDestroyed) {
    ASSERT_EQ(Reason(true, PROPSHEETUI_REASON_INIT), S_OK);
    ASSERT_EQ(Reason(false, PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(object->documentPages().pageCount(), 6u);
    EXPECT_EQ(object->devicePages().pageCount(), 4u);
    ASSERT_EQ(Reason(true, PROPSHEETUI_REASON_DESTROY), S_OK);
    EXPECT_EQ(info.Result, 1u);
    EXPECT_EQ(object->documentPages().pageCount(), 0u);
    EXPECT_EQ(object->devicePages().pageCount(), 4u);  // the other sheet is still open
    ASSERT_EQ(Reason(false, PROPSHEETUI_REASON_DESTROY), S_OK);
    EXPECT_EQ(object->devicePages().pageCount(), 0u);
}

TEST_F(PluginPageHostTest, PagesTheSheetRefusesAreNotKept) {
    driverSheet.refuse = true;
    ASSERT_EQ(Reason(true, PROPSHEETUI_REASON_INIT), S_OK);
    EXPECT_EQ(driverSheet.functions.size(), 6u);  // every page was offered
    EXPECT_EQ(info.Result, 0u);
    EXPECT_EQ(object->documentPages().pageCount(), 0u);
}

}  // namespace
