// Building the sheets: each sheet records the driver's sheet and adds its own pages in table
// order through the page host, with its context as the page parameter, and reports the last
// addition as the driver expects.
#include <gtest/gtest.h>

#include <vector>

#include "plugin/com/SheetPages.h"

namespace {

using namespace plugin;

// A page host that makes each page and answers with handles 1001, 1002, ... in order.
class RecordingHost final : public SheetPageHost {
public:
    std::vector<int> templates;
    std::vector<SheetContextRef> contexts;
    std::vector<std::unique_ptr<plat::PropertyPageLogic>> pages;
    const com::PROPSHEETUI_INFO* info = nullptr;

    com::LONG_PTR AddPage(const com::PROPSHEETUI_INFO& sheetInfo, const PageRow& row,
                          SheetContextRef context) override {
        info = &sheetInfo;
        templates.push_back(row.templateId);
        contexts.push_back(context);
        pages.push_back(row.factory(context));
        return static_cast<com::LONG_PTR>(1000 + templates.size());
    }
};

com::LONG_PTR PLUGIN_STDCALL NoCallback(com::HANDLE, unsigned, com::LPARAM, com::LPARAM) {
    return 0;
}

struct SheetPagesTest : testing::Test {
    SheetPagesTest() {
        info.cbSize = sizeof info;
        info.Version = PROPSHEETUI_INFO_VERSION;
        info.Reason = PROPSHEETUI_REASON_INIT;
        info.hComPropSheet = &sheetHandle;
        info.pfnComPropSheet = &NoCallback;
        info.lParamInit = reinterpret_cast<com::LPARAM>(&sheetParam);
    }
    int sheetHandle = 0;
    com::OEMUIPSPARAM sheetParam{};
    com::PROPSHEETUI_INFO info{};
    RecordingHost host;
};

TEST_F(SheetPagesTest, TheDocumentSheetAddsItsSixPagesAndReportsTheLastAddition) {
    DocSheetContext context;
    EXPECT_EQ(BuildDocumentSheetPages(context, info, &host), 1006u);
    EXPECT_EQ(host.templates, (std::vector<int>{128, 131, 103, 117, 118, 105}));
    EXPECT_EQ(host.info, &info);
    for (std::size_t i = 0; i < host.pages.size(); ++i) {
        EXPECT_EQ(host.contexts[i], SheetContextRef(&context)) << i;
        EXPECT_TRUE(host.pages[i]) << i;
    }
    EXPECT_EQ(context.sheet, &sheetHandle);
    EXPECT_EQ(context.pfnComPropSheet, &NoCallback);
    EXPECT_EQ(context.sheetParam, &sheetParam);
    // The pages report their results for the last page added.
    EXPECT_EQ(context.addedSheet, reinterpret_cast<com::HANDLE>(1006));
}

TEST_F(SheetPagesTest, TheDeviceSheetAddsItsFourPagesAndKeepsTheLastHandle) {
    DeviceSheetContext context;
    BuildDeviceSheetPages(context, info, &host);
    EXPECT_EQ(host.templates, (std::vector<int>{114, 113, 119, 105}));
    for (std::size_t i = 0; i < host.pages.size(); ++i) {
        EXPECT_EQ(host.contexts[i], SheetContextRef(&context)) << i;
        EXPECT_TRUE(host.pages[i]) << i;
    }
    EXPECT_EQ(context.lastPage, reinterpret_cast<com::HANDLE>(1004));
    EXPECT_EQ(context.sheet, &sheetHandle);
    EXPECT_EQ(context.pfnComPropSheet, &NoCallback);
}

TEST_F(SheetPagesTest, WithoutAPageHostNoPageIsAdded) {
    DocSheetContext document;
    EXPECT_EQ(BuildDocumentSheetPages(document, info, nullptr), 0u);
    EXPECT_EQ(document.sheet, &sheetHandle);  // the sheet is recorded all the same
    EXPECT_EQ(document.addedSheet, com::InvalidHandle());
    DeviceSheetContext device;
    BuildDeviceSheetPages(device, info, nullptr);
    EXPECT_EQ(device.lastPage, com::InvalidHandle());
    EXPECT_EQ(device.sheet, &sheetHandle);
}

TEST_F(SheetPagesTest, DocumentPagesEditTheDevmodeTheDriverPassedWhereverItLies) {
    DocSheetContext context;
    EXPECT_EQ(context.devmode(), nullptr);  // no sheet yet
    // The driver's block at an odd address, as the universal driver may place it.
    std::vector<std::uint8_t> buffer(1 + sizeof(OemDevmode));
    WriteOemDevmodeDefaults(*reinterpret_cast<OemDevmode*>(buffer.data() + 1));
    sheetParam.pOEMDM = buffer.data() + 1;
    BuildDocumentSheetPages(context, info, nullptr);
    ASSERT_NE(context.devmode(), nullptr);
    context.devmode()->textAsGraphics = true;
    context.devmode()->paperSizeName.assign(u"A4");
    EXPECT_EQ(buffer[1 + 998], 1);
    EXPECT_EQ(buffer[1 + 1398], 'A');
    EXPECT_EQ(buffer[1 + 1400], '4');

    sheetParam.pOEMDM = nullptr;
    EXPECT_EQ(context.devmode(), nullptr);
}

}  // namespace
