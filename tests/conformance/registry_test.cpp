// Registry conformance: keys and values below HKEY_CURRENT_USER\Software, their errors, letter
// case and enumeration, as the Reg* functions behave.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

using plat::RegRoot;
using plat::RegView;

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class RegistryTest : public ConformanceTest {
protected:
    void SetUp() override {
        ConformanceTest::SetUp();
        if (HasFatalFailure()) return;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        base_ = std::string("Software\\PlatformConformance\\") + info->name();
        RemoveTree(base_);  // whatever an interrupted earlier run left
        ASSERT_EQ(Reg().CreateKey(RegRoot::CurrentUser, base_.c_str(), RegView::Default), ERROR_SUCCESS);
    }
    void TearDown() override {
        if (!base_.empty()) {
            RemoveTree(base_);
            Reg().DeleteKey(RegRoot::CurrentUser, "Software\\PlatformConformance", RegView::Default);
        }
        ConformanceTest::TearDown();
    }

    plat::Registry& Reg() { return P().registry(); }
    // The test's own key, or a path below it.
    std::string K(const std::string& below = "") const { return below.empty() ? base_ : base_ + "\\" + below; }

    std::int32_t Create(const std::string& below) {
        return Reg().CreateKey(RegRoot::CurrentUser, K(below).c_str(), RegView::Default);
    }
    std::int32_t Set(const std::string& below, const char* name, std::uint32_t type,
                     const std::vector<std::uint8_t>& data) {
        return Reg().SetValue(RegRoot::CurrentUser, K(below).c_str(), name, type, data, RegView::Default);
    }
    std::int32_t Query(const std::string& below, const char* name, std::uint32_t& type,
                       std::vector<std::uint8_t>& data) {
        return Reg().QueryValue(RegRoot::CurrentUser, K(below).c_str(), name, type, data, RegView::Default);
    }
    std::vector<std::string> Keys(const std::string& below) {
        std::vector<std::string> out;
        EXPECT_EQ(Reg().EnumKeys(RegRoot::CurrentUser, K(below).c_str(), out, RegView::Default), ERROR_SUCCESS);
        return out;
    }
    std::vector<std::string> SortedValueNames(const std::string& below) {
        std::vector<std::string> out;
        EXPECT_EQ(Reg().EnumValues(RegRoot::CurrentUser, K(below).c_str(), out, RegView::Default), ERROR_SUCCESS);
        std::sort(out.begin(), out.end());
        return out;
    }

private:
    void RemoveTree(const std::string& path) {
        std::vector<std::string> children;
        if (Reg().EnumKeys(RegRoot::CurrentUser, path.c_str(), children, RegView::Default) != ERROR_SUCCESS)
            return;
        for (const std::string& child : children) RemoveTree(path + "\\" + child);
        Reg().DeleteKey(RegRoot::CurrentUser, path.c_str(), RegView::Default);
    }

    std::string base_;
};

TEST_F(RegistryTest, CreatingAKeyCreatesItsParentsAndAnExistingKeyIsSuccess) {
    EXPECT_EQ(Reg().OpenKey(RegRoot::CurrentUser, K("a\\b\\c").c_str(), RegView::Default), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(Create("a\\b\\c"), ERROR_SUCCESS);
    EXPECT_EQ(Reg().OpenKey(RegRoot::CurrentUser, K("a\\b").c_str(), RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(Reg().OpenKey(RegRoot::CurrentUser, K("a\\b\\c").c_str(), RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(Create("a\\b\\c"), ERROR_SUCCESS);
}

TEST_F(RegistryTest, ValuesOfEveryKindComeBackWithTypeAndBytes) {
    const struct {
        const char* name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    } cases[] = {
        {"sz", REG_SZ, Bytes(std::string("text \\ \"q\"\0", 11))},
        {"empty sz", REG_SZ, Bytes(std::string("\0", 1))},
        {"expand", REG_EXPAND_SZ, Bytes(std::string("%TEMP%\\x\0", 9))},
        {"multi", REG_MULTI_SZ, Bytes(std::string("one\0two\0\0", 9))},
        {"dword", REG_DWORD, {0x2A, 0, 0, 0x80}},
        {"binary", REG_BINARY, {0, 1, 0xFF, 0x7F}},
        {"empty binary", REG_BINARY, {}},
    };
    for (const auto& c : cases) ASSERT_EQ(Set("", c.name, c.type, c.data), ERROR_SUCCESS) << c.name;
    for (const auto& c : cases) {
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        ASSERT_EQ(Query("", c.name, type, data), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(data, c.data) << c.name;
    }
}

TEST_F(RegistryTest, SettingAValueAgainReplacesItsTypeAndData) {
    ASSERT_EQ(Set("", "v", REG_SZ, Bytes(std::string("first\0", 6))), ERROR_SUCCESS);
    ASSERT_EQ(Set("", "V", REG_DWORD, {7, 0, 0, 0}), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    ASSERT_EQ(Query("", "v", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_DWORD));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(SortedValueNames("").size(), 1u);
}

TEST_F(RegistryTest, TheEmptyNameIsTheKeysDefaultValue) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Query("", "", type, data), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(Set("", "", REG_SZ, Bytes(std::string("dflt\0", 5))), ERROR_SUCCESS);
    ASSERT_EQ(Query("", nullptr, type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, Bytes(std::string("dflt\0", 5)));
    EXPECT_EQ(SortedValueNames(""), std::vector<std::string>{""});
}

TEST_F(RegistryTest, MissingKeysAndValuesGiveFileNotFound) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    std::vector<std::string> names;
    EXPECT_EQ(Query("", "missing", type, data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("nokey", "v", type, data), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Set("nokey", "v", REG_DWORD, {1, 0, 0, 0}), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Reg().DeleteValue(RegRoot::CurrentUser, K().c_str(), "missing", RegView::Default), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Reg().DeleteValue(RegRoot::CurrentUser, K("nokey").c_str(), "v", RegView::Default), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Reg().DeleteKey(RegRoot::CurrentUser, K("nokey").c_str(), RegView::Default), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Reg().EnumKeys(RegRoot::CurrentUser, K("nokey").c_str(), names, RegView::Default), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Reg().EnumValues(RegRoot::CurrentUser, K("nokey").c_str(), names, RegView::Default), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
    ASSERT_EQ(Set("", "v", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    EXPECT_EQ(Reg().DeleteValue(RegRoot::CurrentUser, K().c_str(), "V", RegView::Default), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Query("", "v", type, data), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(Create("parent\\child"), ERROR_SUCCESS);
    // A key with subkeys is not deleted.
    EXPECT_EQ(Reg().DeleteKey(RegRoot::CurrentUser, K("parent").c_str(), RegView::Default), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Reg().DeleteKey(RegRoot::CurrentUser, K("PARENT\\Child").c_str(), RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(Reg().DeleteKey(RegRoot::CurrentUser, K("parent").c_str(), RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(Reg().OpenKey(RegRoot::CurrentUser, K("parent").c_str(), RegView::Default), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, NamesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
    ASSERT_EQ(Create("MixedCase"), ERROR_SUCCESS);
    ASSERT_EQ(Create("MIXEDCASE"), ERROR_SUCCESS);
    EXPECT_EQ(Keys(""), std::vector<std::string>{"MixedCase"});
    ASSERT_EQ(Set("mixedcase", "ValueName", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Query("MIXEDCASE", "VALUENAME", type, data), ERROR_SUCCESS);
    EXPECT_EQ(SortedValueNames("MixedCase"), std::vector<std::string>{"ValueName"});
}

TEST_F(RegistryTest, SubkeysAreEnumeratedInNameOrderWithoutRegardToCase) {
    for (const char* name : {"delta", "Bravo", "alpha", "Charlie"}) ASSERT_EQ(Create(name), ERROR_SUCCESS);
    EXPECT_EQ(Keys(""), (std::vector<std::string>{"alpha", "Bravo", "Charlie", "delta"}));
    ASSERT_EQ(Set("", "b", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set("", "a", REG_DWORD, {2, 0, 0, 0}), ERROR_SUCCESS);
    EXPECT_EQ(SortedValueNames(""), (std::vector<std::string>{"a", "b"}));
}

TEST_F(RegistryTest, HkcuSoftwareIsTheSameInBothViews) {
    ASSERT_EQ(Reg().CreateKey(RegRoot::CurrentUser, K("viewed").c_str(), RegView::View32), ERROR_SUCCESS);
    ASSERT_EQ(Reg().SetValue(RegRoot::CurrentUser, K("viewed").c_str(), "v", REG_DWORD, {3, 0, 0, 0},
                             RegView::View32),
              ERROR_SUCCESS);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(Reg().QueryValue(RegRoot::CurrentUser, K("viewed").c_str(), "v", type, data, RegView::View64),
              ERROR_SUCCESS);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{3, 0, 0, 0}));
    EXPECT_EQ(Reg().DeleteKey(RegRoot::CurrentUser, K("viewed").c_str(), RegView::View64), ERROR_SUCCESS);
    EXPECT_EQ(Reg().OpenKey(RegRoot::CurrentUser, K("viewed").c_str(), RegView::View32), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace conformance
