// The automation script's dialog actions: what each verb takes, and the mistakes it refuses.
#include <gtest/gtest.h>

#include "platform/sim/ui/script.h"
#include "platform/sim/ui/script_verbs.h"

namespace {

TEST(ScriptVerbs, EachActionKeepsItsControlAndText) {
    std::vector<sim::ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(sim::ParseScript("click IDC_BACK\nchoose 1030  PX-6100 B\nchoose IDC_LIST #2\n"
                                 "type 1041\ntype IDC_NAME two words\nkey escape\nexpect-text 5 a  b\n"
                                 "expect-title Printer Driver Setup\nwait\nshow\nclose\nsys 16\n",
                                 actions, error))
        << error;
    ASSERT_EQ(actions.size(), 12u);
    EXPECT_EQ(actions[0].verb, sim::ScriptVerb::Click);
    EXPECT_EQ(actions[0].control, "IDC_BACK");
    EXPECT_EQ(actions[1].control, "1030");
    EXPECT_EQ(actions[1].text, "PX-6100 B");
    EXPECT_EQ(actions[2].text, "#2");
    EXPECT_EQ(actions[3].text, "");
    EXPECT_EQ(actions[4].text, "two words");
    EXPECT_EQ(actions[5].text, "Escape");
    EXPECT_EQ(actions[6].text, "a  b");
    EXPECT_EQ(actions[7].verb, sim::ScriptVerb::ExpectTitle);
    EXPECT_EQ(actions[7].text, "Printer Driver Setup");
    EXPECT_FALSE(actions[8].forMessageBox());
    EXPECT_EQ(actions[11].control, "16");
}

TEST(ScriptVerbs, SheetActionsKeepTheWholeCaption) {
    std::vector<sim::ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(sim::ParseScript("TAB  1D Code\napply\n", actions, error)) << error;
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].verb, sim::ScriptVerb::Tab);
    EXPECT_EQ(actions[0].text, "1D Code");
    EXPECT_EQ(actions[1].verb, sim::ScriptVerb::Apply);
}

TEST(ScriptVerbs, MistakesNameTheLine) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"click", "line 1: needs a control"},
        {"click 12 more", "line 1: takes only a control"},
        {"click 1x", "line 1: '1x' is neither an id number nor a name"},
        {"choose 5", "line 1: choose needs the entry's text or #INDEX"},
        {"choose 5 #x", "line 1: choose #INDEX needs a number"},
        {"choose 5 #-1", "line 1: choose #INDEX needs a number from 0 to 2147483647"},
        {"choose 5 #2147483648", "line 1: choose #INDEX needs a number from 0 to 2147483647"},
        {"choose 5 #4294967297", "line 1: choose #INDEX needs a number from 0 to 2147483647"},
        {"click 2147483648", "line 1: control id 2147483648 is out of range (-2147483648 to 2147483647)"},
        {"sys -2147483649", "line 1: control id -2147483649 is out of range"},
        {"click 1-2", "line 1: '1-2' is neither an id number nor a name"},
        {"key F2", "line 1: key needs F1, Escape or Enter"},
        {"type-ip 5 10.0.0", "line 1: type-ip needs an address A.B.C.D"},
        {"type-ip 5 10.0.0.256", "line 1: type-ip needs an address"},
        {"type-ip 5 10.0.0.5.1", "line 1: type-ip needs an address"},
        {"type-ip 5 1x.0.0.5", "line 1: type-ip needs an address"},
        {"type-ip 5 1000.0.0.5", "line 1: type-ip needs an address"},
        {"close now", "line 1: takes nothing after it"},
        {"wait 10", "line 1: takes nothing after it"},
        {"press 5", "line 1: unknown action 'press'"},
        {"tab", "line 1: tab needs the caption of the tab"},
        {"apply now", "line 1: takes nothing after it"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<sim::ScriptAction> actions;
        std::string error;
        EXPECT_FALSE(sim::ParseScript(c.line, actions, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(ScriptVerbs, NumbersUpToTheLimitsOfAnIntAreTaken) {
    std::vector<sim::ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(sim::ParseScript("choose 5 #2147483647\nclick 2147483647\nclick -2147483648\nchoose 5 #0\n",
                                 actions, error))
        << error;
    EXPECT_EQ(sim::ChoiceIndex(actions[0].text), 2147483647);
    EXPECT_EQ(sim::ControlIdNumber(actions[1].control), 2147483647);
    EXPECT_EQ(sim::ControlIdNumber(actions[2].control), -2147483647 - 1);
    EXPECT_EQ(sim::ChoiceIndex(actions[3].text), 0);
    EXPECT_EQ(sim::ControlIdNumber("IDC_BACK"), std::nullopt);
}

}  // namespace
