// The driver reads the simulator's script format: verbs, controls, texts and the refusals.
#include <gtest/gtest.h>

#include "tools/windriver/driver_script.h"

namespace {

using windriver::DriverAction;
using windriver::ParseDriverScript;

TEST(DriverScript, ReadsEachKindOfActionWithItsLine) {
    std::vector<DriverAction> actions;
    std::string error;
    ASSERT_TRUE(ParseDriverScript(
        "# comment\n"
        "\n"
        "  CLICK IDC_ACCEPT  \n"
        "choose IDC_MODELS_LABEL   VTX L40 \n"
        "expect Windows 98\n"
        "answer yes\n"
        "key escape\n"
        "expect-text 1 &Next >\n"
        "expect-title\n"
        "sys IDM_ABOUTBOX\n"
        "show\r\n",
        actions, error))
        << error;
    ASSERT_EQ(actions.size(), 9u);
    EXPECT_EQ(actions[0].line, 3);
    EXPECT_EQ(actions[0].verb, "click");
    EXPECT_EQ(actions[0].control, "IDC_ACCEPT");
    EXPECT_EQ(actions[0].Describe(), "line 3: CLICK IDC_ACCEPT");
    // The entry keeps its inner blank; the blanks around it go.
    EXPECT_EQ(actions[1].control, "IDC_MODELS_LABEL");
    EXPECT_EQ(actions[1].text, "VTX L40");
    EXPECT_EQ(actions[2].text, "Windows 98");
    EXPECT_TRUE(actions[2].forMessageBox());
    EXPECT_EQ(actions[3].text, "Yes");
    EXPECT_TRUE(actions[3].forMessageBox());
    EXPECT_EQ(actions[4].text, "Escape");
    EXPECT_FALSE(actions[4].forMessageBox());
    EXPECT_EQ(actions[5].control, "1");
    EXPECT_EQ(actions[5].text, "&Next >");
    EXPECT_EQ(actions[6].verb, "expect-title");
    EXPECT_EQ(actions[6].text, "");
    EXPECT_EQ(actions[7].control, "IDM_ABOUTBOX");
    EXPECT_EQ(actions[8].verb, "show");
}

TEST(DriverScript, RefusesWhatTheSimulatorRefuses) {
    struct Case {
        const char* script;
        const char* error;
    } cases[] = {
        {"click 1\npress 2\n", "line 2: unknown action 'press'"},
        {"answer Maybe\n", "line 1: answer needs one of OK, Cancel, Yes, No, Abort, Retry, Ignore, not 'Maybe'"},
        {"key F2\n", "line 1: key needs one of F1, Escape, Enter, not 'F2'"},
        {"click\n", "line 1: click needs a control"},
        {"click 1 2\n", "line 1: click takes a control only"},
        {"choose 1030\n", "line 1: choose needs an entry"},
        {"show all\n", "line 1: show takes no argument"},
        {"expect\n", "line 1: expect needs the text the message box must contain"},
        {"choose 1030 #4294967297\n", "line 1: choose #INDEX needs a number from 0 to 2147483647 after '#'"},
        {"choose 1030 #2147483648\n", "line 1: choose #INDEX needs a number from 0 to 2147483647 after '#'"},
        {"click 2147483648\n", "line 1: control id 2147483648 is not a number an int holds"},
        {"click -2147483649\n", "line 1: control id -2147483649 is not a number an int holds"},
    };
    for (const Case& c : cases) {
        std::vector<DriverAction> actions;
        std::string error;
        EXPECT_FALSE(ParseDriverScript(c.script, actions, error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}

TEST(DriverScript, TakesNumbersUpToTheLimitsOfAnInt) {
    std::vector<DriverAction> actions;
    std::string error;
    EXPECT_TRUE(ParseDriverScript("choose 1030 #2147483647\nclick 2147483647\nclick -2147483648\n", actions, error))
        << error;
    EXPECT_EQ(actions.size(), 3u);
}

}  // namespace
