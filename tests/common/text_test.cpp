// The fixed-buffer copy cuts and terminates; the letter-case comparisons ignore ASCII case only.
#include "common/text.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CopyCut, CutsToCapacityMinusOneAndTerminates) {
    char buf[6];
    std::memset(buf, 'x', sizeof buf);
    common::CopyCut(buf, 5, "abcdefgh");
    EXPECT_STREQ(buf, "abcd");
    EXPECT_EQ(buf[5], 'x');  // nothing written past the capacity
    common::CopyCut(buf, 5, "ab");
    EXPECT_STREQ(buf, "ab");
}

TEST(CopyCut, ZeroCapacityWritesNothing) {
    char buf[2] = {'q', 'q'};
    common::CopyCut(buf, 0, "abc");
    EXPECT_EQ(buf[0], 'q');
}

TEST(FromBuffer, StopsAtTerminatorOrCapacity) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(common::FromBuffer(unterminated, 3), "abc");
    EXPECT_EQ(common::FromBuffer("ab\0cd", 5), "ab");
}

TEST(NoCase, ComparesAsciiLettersWithoutCase) {
    EXPECT_TRUE(common::EqualsNoCase("Setup_Ticket.INI", "setup_ticket.ini"));
    EXPECT_FALSE(common::EqualsNoCase("setup", "setup "));
    EXPECT_TRUE(common::StartsWithNoCase("PX-6100", "px-6"));
    EXPECT_FALSE(common::StartsWithNoCase("PX", "PX-6"));
}
