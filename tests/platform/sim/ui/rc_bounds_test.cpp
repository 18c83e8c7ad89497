// The resource-script reader's bounds: macro nesting, the tokens macros may hand out, and how
// deeply #if expressions and style values nest. Each bound lets the largest script it allows
// through and stops the next one with FILE:LINE, instead of exhausting memory or the stack.
#include <string>

#include <gtest/gtest.h>

#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/rc_tokens.h"

namespace {

bool Parse(const std::string& text, sim::RcScript& out, std::string& error) {
    return sim::ParseResourceScript(text, "bounds.rc", {}, out, error);
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// M1 is M2, M2 is M3, ..., the last is 7: `levels` macros nested in one another.
std::string MacroChain(int levels) {
    std::string text;
    for (int i = 1; i < levels; ++i)
        text += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "\n";
    text += "#define M" + std::to_string(levels) + " 7\n";
    return text;
}

TEST(RcBounds, MacrosNestUpToThirtyTwoDeep) {
    sim::RcScript s;
    std::string error;
    ASSERT_TRUE(Parse(MacroChain(32) + "STRINGTABLE BEGIN M1 \"deep\" END\n", s, error)) << error;
    EXPECT_EQ(s.strings[7], "deep");

    // Thirty-three lines of #define, then the use on line 34.
    EXPECT_FALSE(Parse(MacroChain(33) + "STRINGTABLE BEGIN M1 \"deep\" END\n", s, error));
    EXPECT_EQ(error.rfind("bounds.rc:34: macro ", 0), 0u) << error;
    EXPECT_NE(error.find("more than 32 macros deep"), std::string::npos) << error;
}

TEST(RcBounds, MacrosHandOutAtMostOneHundredThousandTokensInAScript) {
    // W is a thousand tokens: a hundred uses take exactly the allowance, the next is refused.
    const std::string define = "#define W" + Repeat(" 1", 1000) + "\n";
    sim::RcTokenStream tokens;
    std::string error;
    ASSERT_TRUE(sim::PreprocessResourceScript(define + Repeat("W\n", 100), "bounds.rc", {}, tokens, error))
        << error;
    EXPECT_EQ(tokens.tokens.size(), 100000u);

    sim::RcTokenStream more;
    EXPECT_FALSE(sim::PreprocessResourceScript(define + Repeat("W\n", 101), "bounds.rc", {}, more, error));
    EXPECT_EQ(error, "bounds.rc:102: macro W expands to more than 100000 tokens in all");
}

TEST(RcBounds, DoublingMacrosStopAtTheAllowanceInsteadOfAskingForGigabytes) {
    // Each macro is twice the one before: A30 alone would be two thousand million tokens.
    std::string text = "#define A0 1 1\n";
    for (int i = 1; i <= 30; ++i)
        text += "#define A" + std::to_string(i) + " A" + std::to_string(i - 1) + " A" + std::to_string(i - 1) + "\n";
    text += "#if A30\n#endif\n";
    sim::RcScript s;
    std::string error;
    EXPECT_FALSE(Parse(text, s, error));
    EXPECT_EQ(error.rfind("bounds.rc:32: macro ", 0), 0u) << error;
    EXPECT_NE(error.find("more than 100000 tokens"), std::string::npos) << error;
}

TEST(RcBounds, IfExpressionsNestUpToOneHundredParenthesesAndNots) {
    struct Case {
        std::string condition;
        bool passes;
    };
    const Case cases[] = {
        {Repeat("(", 100) + "1" + Repeat(")", 100), true},
        {Repeat("(", 101) + "1" + Repeat(")", 101), false},
        {Repeat("!", 100) + "1", true},
        {Repeat("!", 101) + "0", false},
        {Repeat("!(", 50) + "1" + Repeat(")", 50), true},
        {Repeat("(", 200000), false},  // far beyond: refused, not a stack overflow
        {Repeat("!", 200000) + "1", false},
    };
    for (const Case& c : cases) {
        sim::RcScript s;
        std::string error;
        // The condition is true in each case that passes: the string is only defined then.
        bool ok = Parse("\n#if " + c.condition + "\nSTRINGTABLE BEGIN 1 \"in\" END\n#endif\n", s, error);
        EXPECT_EQ(ok, c.passes) << c.condition.substr(0, 40) << ": " << error;
        if (c.passes) {
            EXPECT_EQ(s.strings[1], "in");
        } else {
            EXPECT_EQ(error.rfind("bounds.rc:2: the #if expression nests more than 100 levels", 0), 0u)
                << error;
        }
    }
}

TEST(RcBounds, StyleValuesNestUpToOneHundredParenthesesAndNots) {
    struct Case {
        std::string style;
        bool passes;
    };
    const Case cases[] = {
        {Repeat("(", 100) + "WS_CHILD" + Repeat(")", 100), true},
        {Repeat("(", 101) + "WS_CHILD" + Repeat(")", 101), false},
        {"WS_CHILD | " + Repeat("NOT ", 100) + "WS_VISIBLE", true},
        {"WS_CHILD | " + Repeat("NOT ", 101) + "WS_VISIBLE", false},
        {Repeat("~", 100) + "WS_CHILD", true},
        {Repeat("-", 101) + "WS_CHILD", false},
        {Repeat("(", 200000), false},
        {Repeat("NOT ", 200000) + "WS_VISIBLE", false},
    };
    for (const Case& c : cases) {
        sim::RcScript s;
        std::string error;
        bool ok = Parse("1 DIALOG 0, 0, 10, 10\n\nSTYLE " + c.style + "\nBEGIN\nEND\n", s, error);
        EXPECT_EQ(ok, c.passes) << c.style.substr(0, 40) << ": " << error;
        if (c.passes) {
            ASSERT_TRUE(s.FindDialog(1));
        } else {
            EXPECT_EQ(error.rfind("bounds.rc:3: the value nests more than 100 levels", 0), 0u) << error;
        }
    }
    // An even number of ~ leaves the value as written.
    sim::RcScript s;
    std::string error;
    ASSERT_TRUE(Parse("1 DIALOG 0, 0, 10, 10 STYLE " + Repeat("~", 100) + "WS_CHILD BEGIN END\n", s, error));
    EXPECT_EQ(s.FindDialog(1)->style, 0x40000000u);
}

TEST(RcBounds, AScriptReadsAtMostTwoHundredFiftySixIncludedFiles) {
    sim::RcIncludeSource includes = [](const std::string& name, const std::string&) -> std::optional<std::string> {
        if (name == "one.h") return std::string("#define ONE 1\n");
        // Each level includes the next twice: 2^15 reads if nothing stopped them.
        if (name.rfind("twice", 0) == 0) {
            int level = std::stoi(name.substr(5));
            if (level >= 15) return std::string();
            std::string next = "#include \"twice" + std::to_string(level + 1) + "\"\n";
            return next + next;
        }
        return std::nullopt;
    };
    sim::RcTokenStream tokens;
    std::string error;
    EXPECT_TRUE(sim::PreprocessResourceScript(Repeat("#include \"one.h\"\n", 256), "bounds.rc", includes, tokens, error))
        << error;
    sim::RcTokenStream more;
    EXPECT_FALSE(sim::PreprocessResourceScript(Repeat("#include \"one.h\"\n", 257), "bounds.rc", includes, more, error));
    EXPECT_EQ(error, "bounds.rc:257: more than 256 #include lines read in one script");
    sim::RcTokenStream doubling;
    EXPECT_FALSE(sim::PreprocessResourceScript("#include \"twice0\"\n", "bounds.rc", includes, doubling, error));
    EXPECT_NE(error.find("more than 256 #include lines"), std::string::npos) << error;
}

TEST(RcBounds, CodePagesAreSixteenBitNumbers) {
    struct Case {
        const char* pragma;
        bool passes;
        int codePage;
    };
    const Case cases[] = {
        {"#pragma code_page(936)", true, 936},
        {"#pragma code_page( 65535 )", true, 65535},
        {"#pragma code_page(DEFAULT)", true, 0},
        {"#pragma code_page(65536)", false, 0},
        {"#pragma code_page(4294967297)", false, 0},
    };
    for (const Case& c : cases) {
        sim::RcTokenStream tokens;
        std::string error;
        bool ok = sim::PreprocessResourceScript(std::string("\n") + c.pragma + "\n", "bounds.rc", {}, tokens, error);
        EXPECT_EQ(ok, c.passes) << c.pragma << ": " << error;
        if (c.passes) EXPECT_EQ(tokens.codePage, c.codePage) << c.pragma;
        else EXPECT_EQ(error, "bounds.rc:2: #pragma code_page needs a code page from 0 to 65535");
    }
}

}  // namespace
