// The number a numeric edit box holds, as the pages read it before their range rules.
#include <gtest/gtest.h>

#include "plugin/pages/EditNumber.h"

namespace {

TEST(EditNumber, ReadsTheLeadingDigitsAndZeroWithoutAny) {
    struct Case {
        const char* text;
        std::uint32_t number;
    };
    const Case cases[] = {
        {"163", 163}, {"007", 7},  {"  42", 42}, {"\t5", 5},       // blanks before count for nothing
        {"12a", 12},  {"4 5", 4},  {"", 0},      {"abc", 0},       // digits up to the first other character
        {"-5", 0},    {" ", 0},    {"99999", 99999},
        {"123456789012345678901234567890", 99999},                  // no overflow, far above every range
    };
    for (const Case& c : cases) EXPECT_EQ(plugin::ReadEditNumber(c.text), c.number) << c.text;
}

}  // namespace
