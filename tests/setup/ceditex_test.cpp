// CEditEx's character filter: rejected characters are dropped, each with a beep.
#include <gtest/gtest.h>

#include <cctype>

#include "setup/CEditEx.h"

namespace {

TEST(CEditEx, WithoutAFilterEveryCharacterIsKept) {
    setup::CEditEx edit(1081);
    setup::CEditEx::Filtered result = edit.FilterTyped("Any text, 1-2-3!");
    EXPECT_EQ(result.kept, "Any text, 1-2-3!");
    EXPECT_EQ(result.beeps, 0);
}

TEST(CEditEx, FilterDropsRejectedCharactersWithOneBeepEach) {
    setup::CEditEx edit(1081);
    edit.SetCharacterFilter([](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    struct Case {
        const char* typed;
        const char* kept;
        int beeps;
    } cases[] = {{"9600", "9600", 0}, {"96a0", "960", 1}, {"abc", "", 3}, {"", "", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        setup::CEditEx::Filtered result = edit.FilterTyped(c.typed);
        EXPECT_EQ(result.kept, c.kept);
        EXPECT_EQ(result.beeps, c.beeps);
    }
}

}  // namespace
