// The custom paper helpers: reading an edit's number as GetDlgItemInt does, the limits'
// unsigned comparison, the names that belong to the page and the part the user types.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "plugin/pages/CustomPaperForms.h"

namespace {

using namespace plugin;

TEST(CustomPaperForms, ReadsASignedNumberOrNothing) {
    struct Case {
        std::u16string text;
        std::int32_t value;
    };
    const Case cases[] = {
        {u"410", 410},         {u"  72", 72},          {u"-5", -5},
        {u"", 0},              {u"-", 0},              {u"12a", 0},
        {u"1 2", 0},           {u"+5", 0},             {u"2147483647", 2147483647},
        {u"2147483648", 0},    {u"-2147483648", -2147483647 - 1},
        {u"-2147483649", 0},   {u"99999999999999999999", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(ReadSignedNumber(c.text), c.value);
    }
}

TEST(CustomPaperForms, BringsValuesIntoTheLimitComparingUnsigned) {
    struct Case {
        std::int32_t typed;
        std::uint32_t value;
        bool corrected;
    };
    const Case width[] = {
        {0, 410, true},   {409, 410, true},  {410, 410, false}, {720, 720, false},
        {721, 720, true}, {-1, 720, true},   {-2147483647 - 1, 720, true},
    };
    for (const Case& c : width) {
        SCOPED_TRACE(c.typed);
        const ClampedValue v = ClampToLimit(c.typed, kWidthLimit);
        EXPECT_EQ(v.value, c.value);
        EXPECT_EQ(v.corrected, c.corrected);
    }
    EXPECT_EQ(ClampToLimit(254, kHeightLimit).corrected, false);
    EXPECT_EQ(ClampToLimit(32760, kHeightLimit).corrected, false);
    EXPECT_EQ(ClampToLimit(-5, kHeightLimit).value, 32760u);
}

TEST(CustomPaperForms, TheNameHoldsThePrefixAnywhereAndTheTypedPartStartsAtItsLength) {
    EXPECT_TRUE(IsCustomPaperName(u"Custom Paper-ZK450i"));
    EXPECT_TRUE(IsCustomPaperName(u"My Custom Paper-X"));
    EXPECT_FALSE(IsCustomPaperName(u"custom paper-x"));  // letter case counts
    EXPECT_FALSE(IsCustomPaperName(u"Custom Paper"));
    EXPECT_EQ(TypedPartOf(u"Custom Paper-ZK450i"), u"ZK450i");
    EXPECT_EQ(TypedPartOf(u"My Custom Paper-X"), u"er-X");
    EXPECT_EQ(TypedPartOf(u"Custom Paper-"), u"");
}

// A spooler stand-in that sizes as winspool does and counts its calls.
class SizingForms : public plat::Forms {
public:
    bool fail = false;
    int calls = 0;
    std::u16string name = u"Custom Paper-ZK450i";
    bool EnumFormsW(plat::PrinterHandle, std::uint32_t, std::uint8_t* buffer, std::uint32_t size,
                    std::uint32_t& needed, std::uint32_t& returned) override {
        ++calls;
        needed = returned = 0;
        if (fail) return false;
        needed = static_cast<std::uint32_t>(sizeof(plat::FORM_INFO_1W) + 2 * (name.size() + 1));
        if (!buffer || size < needed) return false;
        auto* text = reinterpret_cast<char16_t*>(buffer + sizeof(plat::FORM_INFO_1W));
        std::copy(name.c_str(), name.c_str() + name.size() + 1, text);
        const plat::FORM_INFO_1W record{0, text, {72000, 297000}, {0, 0, 72000, 297000}};
        std::memcpy(buffer, &record, sizeof record);
        returned = 1;
        return true;
    }
    bool AddFormW(plat::PrinterHandle, std::uint32_t, const plat::FORM_INFO_1W&) override { return false; }
    bool SetFormW(plat::PrinterHandle, const char16_t*, std::uint32_t, const plat::FORM_INFO_1W&) override { return false; }
    bool DeleteFormW(plat::PrinterHandle, const char16_t*) override { return false; }
};

TEST(CustomPaperForms, EnumerationAsksForTheSizeThenReadsTheRecords) {
    for (std::uint32_t first : {0u, 32u}) {
        SCOPED_TRACE(first);
        SizingForms forms;
        const auto list = EnumeratePaperForms(forms, 1, first);
        ASSERT_TRUE(list);
        EXPECT_EQ(forms.calls, 2);
        ASSERT_EQ(list->size(), 1u);
        EXPECT_EQ((*list)[0].name, u"Custom Paper-ZK450i");
        EXPECT_EQ((*list)[0].cx, 72000);
        EXPECT_EQ((*list)[0].cy, 297000);
    }
    SizingForms failing;
    failing.fail = true;
    EXPECT_FALSE(EnumeratePaperForms(failing, 1, 32));
    EXPECT_EQ(failing.calls, 1);
}

}  // namespace
