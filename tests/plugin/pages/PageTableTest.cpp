// The page table: the ten pages in the order the sheets add them, with their templates and
// captions, each made for its own sheet's context.
#include <gtest/gtest.h>

#include "plugin/pages/Barcode1DPage.h"
#include "plugin/pages/Barcode2DPage.h"
#include "plugin/pages/DownloadPage.h"
#include "plugin/pages/FontPage.h"
#include "plugin/pages/MainPage.h"
#include "plugin/pages/OperationPage.h"
#include "plugin/pages/PageTable.h"
#include "plugin/pages/UtilityPage.h"
#include "plugin/pages/VersionPage.h"
#include "plugin/pages/WatermarkPage.h"

namespace {

using namespace plugin;

constexpr PropertySheetKind kDoc = PropertySheetKind::Document;
constexpr PropertySheetKind kDev = PropertySheetKind::Device;

// The template of the page a factory made, told by its type; -1 for an unknown type.
template <typename... Pages>
int TemplateOfAny(const plat::PropertyPageLogic& page) {
    int id = -1;
    ((dynamic_cast<const Pages*>(&page) ? (id = Pages::kTemplateId, true) : false) || ...);
    return id;
}
int TemplateOf(const plat::PropertyPageLogic& page) {
    return TemplateOfAny<MainPage, WatermarkPage, OperationPage, Barcode1DPage, Barcode2DPage,
                         VersionPage, UtilityPage, DownloadPage, FontPage>(page);
}

// The context a page keeps; null for a page that keeps none.
template <typename... Pages>
const void* ContextOfAny(const plat::PropertyPageLogic& page) {
    const void* context = nullptr;
    auto keeps = [&](const auto* typed) {
        if (typed) context = &typed->sheet();
        return typed != nullptr;
    };
    (keeps(dynamic_cast<const Pages*>(&page)) || ...);
    return context;
}
const void* ContextOf(const plat::PropertyPageLogic& page) {
    return ContextOfAny<MainPage, WatermarkPage, OperationPage, Barcode1DPage, Barcode2DPage,
                        UtilityPage, DownloadPage, FontPage>(page);
}

TEST(PageTable, HoldsTheTenPagesInTheSheetsOrder) {
    struct Expected {
        int templateId;
        std::u16string_view title;
        PropertySheetKind sheet;
    };
    const Expected expected[] = {
        {128, u"Main", kDoc},     {131, u"Water Mark", kDoc}, {103, u"Operation", kDoc},
        {117, u"1D Code", kDoc},  {118, u"2D Code", kDoc},    {105, u"Version", kDoc},
        {114, u"Utility", kDev},  {113, u"Download", kDev},   {119, u"Font", kDev},
        {105, u"Version", kDev},
    };
    const auto rows = PropertyPages();
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i].templateId, expected[i].templateId);
        EXPECT_EQ(rows[i].title, expected[i].title);
        EXPECT_EQ(rows[i].sheet, expected[i].sheet);
    }
}

TEST(PageTable, EachFactoryMakesThePageOfItsTemplateWithItsSheetsContext) {
    for (const PageRow& row : PropertyPages()) {
        SCOPED_TRACE(row.templateId);
        DocSheetContext doc;
        DeviceSheetContext device;
        const bool onDocument = row.sheet == kDoc;
        auto page = onDocument ? row.factory(&doc) : row.factory(&device);
        ASSERT_TRUE(page);
        EXPECT_EQ(TemplateOf(*page), row.templateId);
        if (row.templateId == 105) {
            EXPECT_EQ(ContextOf(*page), nullptr);  // Version keeps no context
        } else {
            EXPECT_EQ(ContextOf(*page), onDocument ? static_cast<const void*>(&doc)
                                                   : static_cast<const void*>(&device));
        }
    }
}

TEST(PageTable, APageIsNotMadeForTheOtherSheetOrWithoutAContext) {
    for (const PageRow& row : PropertyPages()) {
        SCOPED_TRACE(row.templateId);
        DocSheetContext doc;
        DeviceSheetContext device;
        auto other = row.sheet == kDoc ? row.factory(&device) : row.factory(&doc);
        // Version belongs to both sheets; every other page to one.
        EXPECT_EQ(other != nullptr, row.templateId == 105);
        EXPECT_EQ(row.factory(static_cast<DocSheetContext*>(nullptr)), nullptr);
        EXPECT_EQ(row.factory(static_cast<DeviceSheetContext*>(nullptr)), nullptr);
    }
}

}  // namespace
