// Names from a resource header both ways, with Windows' standard ids behind them.
#include <gtest/gtest.h>

#include "tools/windriver/resource_names.h"

namespace {

using windriver::ResourceNames;

const char* const kHeader =
    "// ids\n"
    "#pragma once\n"
    "#ifndef IDC_STATIC\n"
    "#define IDC_STATIC (-1)\n"
    "#endif\n"
    "#define IDD_MODEL_PAGE 131\n"
    "#define IDC_SERIES_GROUP 1094  // the model page's\n"
    "#define IDC_OS_GROUP 1094\n"
    "#define IDC_BACK 1002\n"
    "#define PKG_VERSION \"1.0\"\n"
    "#define IDC_SAME_AS_PAGE 131\n";

TEST(ResourceNames, NumbersByName) {
    ResourceNames names = ResourceNames::Parse(kHeader);
    EXPECT_EQ(names.IdOf("IDC_BACK"), 1002);
    EXPECT_EQ(names.IdOf("IDC_STATIC"), -1);
    EXPECT_EQ(names.IdOf("IDC_OS_GROUP"), 1094);
    EXPECT_EQ(names.IdOf("IDOK"), 1);
    EXPECT_EQ(names.IdOf("IDCANCEL"), 2);
    EXPECT_FALSE(names.IdOf("PKG_VERSION").has_value());
    EXPECT_FALSE(names.IdOf("IDC_MISSING").has_value());
}

TEST(ResourceNames, NamesByNumberPreferThePrefixThenTheFirstDefinition) {
    ResourceNames names = ResourceNames::Parse(kHeader);
    EXPECT_EQ(names.NameOf(131, "IDD_"), "IDD_MODEL_PAGE");
    EXPECT_EQ(names.NameOf(131, "IDC_"), "IDC_SAME_AS_PAGE");
    EXPECT_EQ(names.NameOf(1094, "IDC_"), "IDC_SERIES_GROUP");
    EXPECT_EQ(names.NameOf(1002, "IDD_"), "IDC_BACK");
    EXPECT_EQ(names.NameOf(-1, "IDC_"), "IDC_STATIC");
    EXPECT_EQ(names.NameOf(1, "IDC_"), "IDOK");
    EXPECT_EQ(names.NameOf(4242, "IDC_"), "");
}

}  // namespace
