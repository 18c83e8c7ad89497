// The sheet callback the plug-in adds its pages through and reports its result with.
#include "tools/driverui/ComPropSheet.h"

#include <gtest/gtest.h>

namespace {

using namespace driverui;
namespace com = plugin::com;

struct Lines final : HostReport {
    std::vector<std::string> lines;
    void Line(const std::string& text) override { lines.push_back(text); }
};

com::LONG_PTR Call(ComPropSheet& sheet, unsigned function, com::LPARAM a, com::LPARAM b) {
    return ComPropSheet::callback()(sheet.handle(), function, a, b);
}

plat::PROPSHEETPAGEW Page(int templateId) {
    plat::PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.pszTemplate = reinterpret_cast<const char16_t*>(static_cast<std::uintptr_t>(templateId));
    return page;
}

TEST(ComPropSheet, KeepsACopyOfEachPageAndHandsOutHandlesInOrder) {
    Lines report;
    ComPropSheet sheet(report);
    plat::PROPSHEETPAGEW page = Page(128);
    EXPECT_EQ(Call(sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<com::LPARAM>(&page), 0), 1);
    page = Page(131);  // the caller reuses its record
    EXPECT_EQ(Call(sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<com::LPARAM>(&page), 0), 2);
    ASSERT_EQ(sheet.pages().size(), 2u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(sheet.pages()[0].pszTemplate), 128u);
    EXPECT_EQ(report.lines[1], "pfnComPropSheet(CPSFUNC_ADD_PROPSHEETPAGEW, template 131) -> 2");
}

TEST(ComPropSheet, RefusesRecordsTooSmallAndOnlyCopiesWhatTheRecordHolds) {
    Lines report;
    ComPropSheet sheet(report);
    EXPECT_EQ(Call(sheet, CPSFUNC_ADD_PROPSHEETPAGEW, 0, 0), 0);
    plat::PROPSHEETPAGEW page = Page(105);
    page.dwSize = offsetof(plat::PROPSHEETPAGEW, pszHeaderTitle) - 1;
    EXPECT_EQ(Call(sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<com::LPARAM>(&page), 0), 0);
    // The first version of the record: the fields behind it are not read.
    page.dwSize = offsetof(plat::PROPSHEETPAGEW, pszHeaderTitle);
    page.hActCtx = &page;
    EXPECT_EQ(Call(sheet, CPSFUNC_ADD_PROPSHEETPAGEW, reinterpret_cast<com::LPARAM>(&page), 0), 1);
    EXPECT_EQ(sheet.pages().at(0).hActCtx, nullptr);
}

TEST(ComPropSheet, OnlyCpsuiOkCountsAsApplied) {
    Lines report;
    ComPropSheet sheet(report);
    int applied = 0;
    sheet.OnApplied([&] { ++applied; });
    EXPECT_EQ(Call(sheet, CPSFUNC_SET_RESULT, -1, CPSUI_CANCEL), 1);
    EXPECT_FALSE(sheet.applied());
    EXPECT_EQ(Call(sheet, CPSFUNC_SET_RESULT, -1, CPSUI_OK), 1);
    EXPECT_TRUE(sheet.applied());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(report.lines.back(), "pfnComPropSheet(CPSFUNC_SET_RESULT, handle -1, CPSUI_OK) -> 1");
}

TEST(ComPropSheet, OtherFunctionsAndOtherHandlesFail) {
    Lines report;
    ComPropSheet sheet(report);
    EXPECT_EQ(Call(sheet, CPSFUNC_GET_PAGECOUNT, 0, 0), 0);
    EXPECT_EQ(report.lines.back(), "pfnComPropSheet(CPSFUNC_GET_PAGECOUNT) is not supported by this host -> 0");
    plat::PROPSHEETPAGEW page = Page(128);
    int elsewhere = 0;
    EXPECT_EQ(ComPropSheet::callback()(&elsewhere, CPSFUNC_ADD_PROPSHEETPAGEW,
                                       reinterpret_cast<com::LPARAM>(&page), 0),
              0);
    EXPECT_TRUE(sheet.pages().empty());
}

}  // namespace
