// Error reports: the system's text where it has one, the SetupAPI name where it has not, the
// code alone otherwise; the 511-character limit; the name table.
#include <gtest/gtest.h>

#include <string>

#include "install/ErrorReport.h"
#include "install/SetupApiErrorNames.h"
#include "tests/install/install_machine.h"

namespace {

TEST(ErrorReport, SystemTextThenSetupApiNameThenCodeAlone) {
    installtest::InstallMachine machine;
    auto platform = machine.Process();
    struct Case {
        const char* operation;
        std::uint32_t code;
        const char* expected;
    } cases[] = {
        {"search for specified device", 259,
         "Error 259 in search for specified device: No more data is available.\r\n\n"},
        {"UpdateDriverForPlugAndPlayDevices", 0xE0000203,
         "Error E0000203 in UpdateDriverForPlugAndPlayDevices: ERROR_NO_DRIVER_SELECTED\n"},
        {"SetupOpenInfFile", 0xE0000000, "Error E0000000 in SetupOpenInfFile: ERROR_EXPECTED_SECTION_NAME\n"},
        {"SetupDiCreateDeviceInfoList", 0xE0001000, "Error E0001000 in SetupDiCreateDeviceInfoList: ERROR_NOT_INSTALLED\n"},
        // Beside the table's ranges: no name.
        {"SetupOpenInfFile", 0xE0000004, "Error E0000004 in SetupOpenInfFile\n"},
        {"SetupOpenInfFile", 0xE000022D, "Error E000022D in SetupOpenInfFile\n"},
        {"SetupOpenInfFile", 0xE0000FFF, "Error E0000FFF in SetupOpenInfFile\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(install::FormatErrorReport(platform->system(), c.operation, c.code), c.expected);
    }
}

TEST(ErrorReport, LongTextsAreCutAt511Characters) {
    installtest::InstallMachine machine;
    auto platform = machine.Process();
    const std::string operation(600, 'o');
    std::string unnamed = install::FormatErrorReport(platform->system(), operation.c_str(), 0xE0000FFF);
    EXPECT_EQ(unnamed.size(), 511u);
    EXPECT_EQ(unnamed.substr(0, 20), "Error E0000FFF in oo");
    std::string named = install::FormatErrorReport(platform->system(), operation.c_str(), 259);
    EXPECT_EQ(named.size(), 511u);
    // A text just short of the limit stays whole: "Error E0000FFF in " is 18, the line feed 1.
    const std::string fits(511 - 19, 'f');
    std::string whole = install::FormatErrorReport(platform->system(), fits.c_str(), 0xE0000FFF);
    EXPECT_EQ(whole.size(), 511u);
    EXPECT_EQ(whole.back(), '\n');
}

TEST(SetupApiErrorNames, FiftyThreeRowsInAscendingOrderWithTheTellingNames) {
    auto rows = install::SetupApiErrorNames();
    ASSERT_EQ(rows.size(), 53u);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1].code, rows[i].code) << i;
    struct Telling {
        std::uint32_t code;
        const char* name;
    } telling[] = {
        {0xE0000000, "ERROR_EXPECTED_SECTION_NAME"},
        {0xE0000100, "ERROR_WRONG_INF_STYLE"},
        {0xE0000200, "ERROR_NO_ASSOCIATED_CLASS"},
        {0xE000021A, "ERROR_NO_DEFAULT_DEVICE_INTERFACE"},
        {0xE000022C, "ERROR_INVALID_FILTER_DRIVER"},
        {0xE0001000, "ERROR_NOT_INSTALLED"},
        {0xE0000003, "ERROR_GENERAL_SYNTAX"},
        {0xE0000102, "ERROR_LINE_NOT_FOUND"},
    };
    for (const Telling& t : telling) {
        const char* name = install::FindSetupApiErrorName(t.code);
        ASSERT_NE(name, nullptr) << std::hex << t.code;
        EXPECT_STREQ(name, t.name);
    }
    // The three ranges and nothing between them.
    for (std::uint32_t code : {0xE0000004u, 0xE00000FFu, 0xE0000103u, 0xE00001FFu, 0xE000022Du,
                               0xE0000FFFu, 0xE0001001u, 0u, 259u})
        EXPECT_EQ(install::FindSetupApiErrorName(code), nullptr) << std::hex << code;
}

}  // namespace
