// Access keys: which letter a text marks, clashes among texts shown together, and pkgcheck
// reporting a clash on a page of a package.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "tests/support/shell.h"
#include "tools/pkgcheck/access_keys.h"

namespace {

namespace fs = std::filesystem;
using pkgcheck::AccessKeyClashes;
using pkgcheck::AccessKeyOf;

TEST(AccessKeys, TheLetterAfterTheFirstSingleAmpersand) {
    struct Case {
        const char* text;
        char key;
    } cases[] = {
        {"&Next >", 'N'},       {"I do &not accept", 'N'}, {"Ba&ud rate:", 'U'},
        {"T&ypical", 'Y'},      {"Port &1", '1'},          {"Save && &close", 'C'},
        {"A && B", 0},          {"Cancel", 0},             {"Trailing &", 0},
        {"&- dash", 0},         {"", 0},                   {"&a then &b", 'A'},
    };
    for (const Case& c : cases) EXPECT_EQ(AccessKeyOf(c.text), c.key) << c.text;
}

TEST(AccessKeys, EachSharedKeyIsOneProblemNamingEveryText) {
    std::vector<pkgcheck::Problem> problems = AccessKeyClashes(
        "the agreement page", {{"[Legal] Accept", "I &accept"},
                               {"[Legal] Reject", "I do &not accept"},
                               {"[Setup] Back", "< &Back"},
                               {"[Setup] Next", "&Next >"},
                               {"[Setup] Cancel", "Cancel"},
                               {"[Setup] Help", "&no help"}});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, "clashing-access-keys");
    EXPECT_EQ(problems[0].message,
              "on the agreement page Alt+N is both [Legal] Reject \"I do &not accept\" and [Setup] Next "
              "\"&Next >\" and [Setup] Help \"&no help\": it reaches only the first");
    // Letter case does not make keys distinct; distinct keys are no problem.
    EXPECT_EQ(AccessKeyClashes("p", {{"a", "&x"}, {"b", "&X"}}).size(), 1u);
    EXPECT_TRUE(AccessKeyClashes("p", {{"a", "&x"}, {"b", "&y"}, {"c", "none"}}).empty());
}

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(AccessKeys, PkgcheckReportsAClashOnlyAmongTextsOfOnePage) {
    fs::path pkg = fs::temp_directory_path() / ("access-keys-" + std::to_string(::getpid()));
    fs::remove_all(pkg);
    fs::copy(PKG_SOURCE_DIR "/examples/package", pkg, fs::copy_options::recursive);
    // The model page's default box and the port page's data bits now share D, but they are
    // never shown together; the port page's Raster box now shares P with its Ports label.
    std::string language = ReadAll(pkg / "language" / "setup.ini");
    auto replace = [&](const std::string& from, const std::string& to) {
        std::size_t at = language.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        language.replace(at, from.size(), to);
    };
    replace("Default=&Use this printer", "Default=&Data this printer");
    replace("Raster=&Raster Graphic Printing", "Raster=&Port Graphic Printing");
    std::ofstream(pkg / "language" / "setup.ini", std::ios::binary) << language;

    testsupport::ShellRun run = testsupport::RunShell(PKG_BINARY_DIR "/tools/pkgcheck/pkgcheck '" + pkg.string() + "'");
    fs::remove_all(pkg);
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("clashing-access-keys: on the port page Alt+P is both [Confirm] Ports \"&Port:\" "
                              "and [Confirm] Raster \"&Port Graphic Printing\""),
              std::string::npos)
        << run.output;
    EXPECT_EQ(run.output.find("Alt+D"), std::string::npos) << run.output;
}

}  // namespace
