// The operation dialog's titles and its reading of the typed paper feed.
#include <gtest/gtest.h>

#include "plugin/pages/OperationOptions.h"

namespace {

using namespace plugin;

TEST(OperationOptions, EachMomentHasItsTitle) {
    EXPECT_EQ(OperationDialogTitle(OperationMoment::StartDocument), "Start Document Operation");
    EXPECT_EQ(OperationDialogTitle(OperationMoment::StartPage), "Start Page Operation");
    EXPECT_EQ(OperationDialogTitle(OperationMoment::EndPage), "End Page Operation");
    EXPECT_EQ(OperationDialogTitle(OperationMoment::EndDocument), "End Document Operation");
}

TEST(OperationOptions, TheTypedFeedIsItsNumberWithinZeroToOneHundred) {
    struct Case {
        std::u16string_view text;
        std::optional<int> feed;
    } cases[] = {
        {u"0", 0},       {u"7", 7},       {u"007", 7},     {u"99", 99},
        {u"100", 100},   {u"101", 100},   {u"250", 100},   {u"999", 100},
        {u"12mm", 12},   {u"  5", 5},     {u"+8", 8},
        // A negative number would wrap in the stored byte.
        {u"-5", 0},
        // A run of digits longer than an int holds stays at the limit.
        {u"99999999999999999999", 100},
        // Nothing to read: the up-down stays where it is and OK stores 0.
        {u"", std::nullopt}, {u"mm", std::nullopt}, {u"-", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(PaperFeedFromText(c.text), c.feed);
    }
}

}  // namespace
