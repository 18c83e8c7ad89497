// The resource-script parser: every statement kind with the styles the compiler gives, the
// preprocessor lines, errors with their file and line, and every .rc file of the source tree.
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include <gtest/gtest.h>

#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/resource_table.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kChild = 0x40000000u, kVisible = 0x10000000u, kDisabled = 0x08000000u,
                        kGroup = 0x00020000u, kTabStop = 0x00010000u, kBorder = 0x00800000u;

sim::RcScript ParseTestScript() {
    sim::RcScript script;
    std::string error;
    EXPECT_TRUE(sim::ParseResourceScriptFile(fs::path(PKG_SOURCE_DIR) / "tests/platform/sim/ui/test_dialogs.rc",
                                             {PKG_SOURCE_DIR}, script, error))
        << error;
    return script;
}

bool Parse(const std::string& text, sim::RcScript& out, std::string& error) {
    sim::RcIncludeSource includes = [](const std::string& name, const std::string&) -> std::optional<std::string> {
        if (name == "ids.h") return std::string("#define IDD_X 7\n#define IDC_Y 8\n");
        return std::nullopt;
    };
    return sim::ParseResourceScript(text, "test.rc", includes, out, error);
}

TEST(RcParser, DialogHeaderStatementsGiveTheTemplateItsStyleCaptionFontAndClass) {
    sim::RcScript s = ParseTestScript();
    const sim::RcDialog* frame = s.FindDialog(500);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->extended);
    EXPECT_EQ(frame->idName, "IDD_TEST_FRAME");
    EXPECT_EQ(frame->cx, 296);
    EXPECT_EQ(frame->cy, 182);
    // The style came through a #define continued over two lines.
    EXPECT_EQ(frame->style, 0x80u | 0x80000000u | 0x00C00000u | 0x00080000u | 0x40u);
    EXPECT_EQ(frame->exStyle, 0x40000u);
    EXPECT_EQ(frame->caption, "Test Frame");
    EXPECT_EQ(frame->fontFace, "MS Shell Dlg");
    EXPECT_EQ(frame->fontSize, 8);
    EXPECT_EQ(frame->fontWeight, 400);

    const sim::RcDialog* child = s.FindDialog(502);
    ASSERT_TRUE(child);
    EXPECT_EQ(child->className, "TestClass");
    const sim::RcDialog* empty = s.FindDialog(503);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->menu, "300");
    EXPECT_TRUE(empty->controls.empty());
    const sim::RcDialog* page = s.FindDialog(501);
    ASSERT_TRUE(page);
    EXPECT_FALSE(page->extended);
    EXPECT_EQ(page->style, kChild | 0x400u | 0x40u);
}

// Each control statement: its class, the default style the compiler adds, and what the
// script's own style adds or (with NOT) removes.
TEST(RcParser, ControlStatementsGiveTheirClassAndDefaultStyle) {
    sim::RcScript s = ParseTestScript();
    struct Case {
        int dialog;
        int id;
        const char* className;
        std::uint32_t style;
        const char* text;
    };
    const Case cases[] = {
        {500, 2001, "Static", kChild | 0x7u, ""},                            // NOT WS_VISIBLE
        {500, 2003, "Static", kChild | kVisible | kGroup, "Press F1 for help"},  // LTEXT
        {500, 2002, "Button", kChild | kVisible | kTabStop | kDisabled, "< &Back"},
        {500, 1, "Button", kChild | kVisible | kTabStop | 0x1u, "&Next >"},   // DEFPUSHBUTTON
        {500, 2010, "Button", kChild | kVisible | kGroup | 0x9u, "A"},        // AUTORADIOBUTTON
        {500, 2011, "Button", kChild | kVisible | 0x9u, "B"},
        {500, 2020, "Button", kChild | kVisible | kTabStop | 0x3u, "Check"},  // AUTOCHECKBOX
        {500, 2021, "Button", kChild | kVisible | kTabStop | 0x2u, "Plain check"},
        {500, 2030, "Edit", kChild | kVisible | kBorder | kTabStop | 0x80u, ""},
        {500, 2031, "Edit", kChild | kVisible | kBorder | kTabStop | 0x4u | 0x800u | 0x00200000u, ""},
        {500, 2040, "ComboBox", kChild | kVisible | kTabStop | 0x3u | 0x00200000u, ""},
        {500, 2041, "ComboBox", kChild | kVisible | kTabStop | 0x3u | 0x100u, ""},
        {500, 2043, "ComboBox", kChild | kVisible | kTabStop | 0x2u, ""},  // CBS_DROPDOWN replaces CBS_SIMPLE
        {500, 2042, "ListBox", kChild | kVisible | kBorder | 0x1u | 0x2u, ""},
        {500, 2061, "Button", kChild | kTabStop, "Hidden"},
        {501, 2070, "Button", kChild | kVisible | kGroup | kTabStop | 0x9u, "Page radio"},
        {502, 3001, "Button", kChild | kVisible | 0x4u, "Manual radio"},       // RADIOBUTTON
        {502, 2050, "msctls_progress32", kChild | kVisible | 0x1u | kBorder, ""},
        {502, 3002, "SysIPAddress32", kChild | kVisible | kTabStop, ""},
        {502, 3003, "SysListView32", kChild | kVisible | 0x1u | kBorder, ""},
        {502, 3004, "SysTreeView32", kChild | kVisible | 0x2u, ""},
        {502, 3005, "msctls_trackbar32", kChild | kVisible | 0x1u, ""},
        {502, 3006, "msctls_updown32", kChild | kVisible | 0x4u | 0x2u, ""},
        {502, 3007, "ScrollBar", kChild | kVisible, ""},
        {502, 3008, "Button", kChild | kVisible | kTabStop | 0x3u, "Auto"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("control " + std::to_string(c.id));
        const sim::RcDialog* d = s.FindDialog(c.dialog);
        ASSERT_TRUE(d);
        const sim::RcControl* control = d->FindControl(c.id);
        ASSERT_TRUE(control);
        EXPECT_EQ(control->className, c.className);
        EXPECT_EQ(control->style, c.style);
        EXPECT_EQ(control->text, c.text);
    }
}

TEST(RcParser, StaticsGroupBoxesAndIconsKeepTheirIdsAndNames) {
    sim::RcScript s = ParseTestScript();
    const sim::RcDialog* frame = s.FindDialog(500);
    ASSERT_TRUE(frame);
    const sim::RcControl& last = frame->controls.back();
    EXPECT_EQ(last.statement, "ICON");
    EXPECT_EQ(last.text, "IDR_MAINFRAME");
    EXPECT_EQ(last.id, -1);
    EXPECT_EQ(last.style & 0x1Fu, 0x3u);
    EXPECT_EQ(frame->FindControl(2002)->idName, "IDC_BACK");
    EXPECT_EQ(frame->FindControl(1)->idName, "IDOK");
    const sim::RcControl* page = s.FindDialog(501)->FindControl(-1);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->style & 0x3u, 0x2u);  // RTEXT is SS_RIGHT
}

TEST(RcParser, StringTablesSymbolsAndOtherResourcesAreRecorded) {
    sim::RcScript s = ParseTestScript();
    EXPECT_EQ(s.strings[16], "&About...");
    EXPECT_EQ(s.strings[17], "Second \"quoted\" string\twith tab");
    EXPECT_EQ(s.Symbol("IDC_BACK"), 2002);
    EXPECT_EQ(s.SymbolOf(2002, "IDC_"), "IDC_BACK");
    EXPECT_FALSE(s.Symbol("NO_SUCH_NAME"));
    std::vector<std::string> others;
    for (const auto& o : s.others) others.push_back(o.type + " " + o.name + " " + o.file);
    EXPECT_EQ(others, (std::vector<std::string>{"ICON IDR_MAINFRAME test.ico", "RT_MANIFEST 1 test.manifest",
                                                "ICON IDI_TEST_LEAF test.ico", "VERSIONINFO VS_VERSION_INFO "}));
}

TEST(RcParser, MistakesAreReportedWithFileAndLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"1 DIALOG 0,0,10,10\nBEGIN\n  BUTTONX \"a\", 1, 0,0,1,1\nEND\n",
         "test.rc:3: unknown control statement 'BUTTONX'"},
        {"1 DIALOG 0,0,10,10\nSTYLE WS_CHILD | WS_NOTHING\nBEGIN\nEND\n", "test.rc:2: unknown name 'WS_NOTHING'"},
        {"1 DIALOG 0,0,10,10\nBEGIN\n  LTEXT \"a\" 1, 0,0,1,1\nEND\n", "test.rc:3: expected ','"},
        {"1 DIALOG 0,0,10,10\nBEGIN\n  LTEXT \"a, 1, 0,0,1,1\nEND\n", "test.rc:3: unterminated string"},
        {"1 DIALOG 0,0,10,10\nBEGIN\n", "dialog 1 without END"},
        {"1 WIDGET \"x\"\n", "test.rc:1: unknown resource type 'WIDGET'"},
        {"#include \"missing.h\"\n", "test.rc:1: cannot find the included file \"missing.h\""},
        {"#ifdef X\n", "test.rc: #if without #endif"},
        {"#endif\n", "test.rc:1: #endif without #if"},
        {"#define F(x) x\n", "test.rc:1: function-like macro F is not supported"},
        {"#warning no\n", "test.rc:1: unknown directive #warning"},
        {"\n\n1 DIALOG 0,0,10,10\nFOO 3\nBEGIN\nEND\n", "test.rc:4: unknown dialog statement 'FOO'"},
        {"1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "dialog 1 is defined twice"},
        {"NAMED DIALOG 0,0,1,1\nBEGIN\nEND\n", "dialog 'NAMED' needs a number for its id"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n CONTROL \"\", 1, 0,0,1,1\nEND\n", "test.rc:3: CONTROL needs a window class"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n LTEXT \"a\", 1, 0x, 0,1,1\nEND\n", "test.rc:3: bad number"},
        {"STRINGTABLE\nBEGIN\n 1 2\nEND\n", "test.rc:3: expected a text in quotes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sim::RcScript s;
        std::string error;
        EXPECT_FALSE(Parse(c.text, s, error));
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(RcParser, IncludedHeadersAndCommentsAreReadAsTheCompilerReadsThem) {
    sim::RcScript s;
    std::string error;
    ASSERT_TRUE(Parse("#include \"ids.h\"\n/* a block\n comment */ IDD_X DIALOG 0, 0, 10, 10 // tail\n"
                      "BEGIN\n  LTEXT \"a // not a comment\", IDC_Y, 0, 0, 1, 1\n"
                      "  LTEXT \"b\", IDC_Y + 1, 0, 0, 1, 1, NOT WS_GROUP | SS_RIGHT\nEND\n",
                      s, error))
        << error;
    const sim::RcDialog* d = s.FindDialog(7);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->controls.size(), 2u);
    EXPECT_EQ(d->controls[0].text, "a // not a comment");
    EXPECT_EQ(d->controls[0].idName, "IDC_Y");
    EXPECT_EQ(d->controls[1].id, 9);
    EXPECT_EQ(d->controls[1].style, kChild | kVisible | 0x2u);
    EXPECT_EQ(d->controls[1].line, 6);
}

// The project's own templates are the parser's real input: every .rc file in the tree parses,
// on its own or, for a part another script includes (a page's template), within that script.
TEST(RcParser, EveryResourceScriptOfTheTreeParses) {
    fs::path root(PKG_SOURCE_DIR);
    std::vector<fs::path> scripts;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = it->path().filename().string();
        if (it->is_directory() && (name == "build" || name == ".git" || name.rfind("build-", 0) == 0)) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->path().extension() == ".rc") scripts.push_back(it->path());
    }
    // The parts: scripts named by another's #include "...", from the top of the tree.
    std::set<fs::path> parts;
    for (const fs::path& script : scripts) {
        std::ifstream in(script);
        std::regex include(R"re(^\s*#\s*include\s+"([^"]+\.rc)")re");
        std::smatch m;
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, m, include)) parts.insert(fs::weakly_canonical(root / m[1].str()));
    }
    int parsed = 0;
    for (const fs::path& script : scripts) {
        if (parts.count(fs::weakly_canonical(script))) continue;
        SCOPED_TRACE(script.string());
        sim::RcScript s;
        std::string error;
        EXPECT_TRUE(sim::ParseResourceScriptFile(script, {root}, s, error)) << error;
        ++parsed;
    }
    EXPECT_GE(parsed, 1);
    EXPECT_FALSE(parts.empty());  // the plug-in's pages are parsed within its script
}

// The test program carries its own script, embedded by pkg_add_resources as a program does,
// and registered as its module's: the program's module is the module of its own code.
TEST(RcParser, TheEmbeddedScriptIsTheProgramsResourceSection) {
    EXPECT_EQ(plat::ThisModule(), plat::ProgramModule());
    std::string error;
    const sim::RcScript* resources = sim::ModuleResources(plat::ProgramModule(), error);
    ASSERT_TRUE(resources) << error;
    EXPECT_TRUE(resources->FindDialog(500));
    EXPECT_EQ(resources->Symbol("IDC_PAGE_EDIT"), 2071);
    // No other module has them.
    const sim::RcScript* none = sim::ModuleResources(plat::ModuleRef{}, error);
    ASSERT_TRUE(none) << error;
    EXPECT_FALSE(none->FindDialog(500));
}

}  // namespace
