// Port-monitor and language-monitor records of "COMMON-MONITOR" + OS suffix.
#include <gtest/gtest.h>

#include "tests/setup/config_fixture.h"

namespace setuptest {
namespace {

using Monitors = ConfigTest;

TEST_F(Monitors, PortMonitorsAreReadFromTheOsSection) {
    Load("odd");
    const pkg::PortMonitorRecords& m = config().PortMonitors(3);
    EXPECT_STREQ(m.usb.info.pName, "Odd USB Monitor");
    EXPECT_STREQ(m.usb.info.pDLLName, "ODDUSB.DLL");
    EXPECT_STREQ(m.usb.uiDllName, "ODDUSBUI.DLL");
    EXPECT_EQ(m.usb.version, 7u);
    EXPECT_EQ(m.usb.info.pEnvironment, nullptr);
    EXPECT_STREQ(m.serial.info.pName, "Odd Serial Monitor");  // single quotes dropped
    EXPECT_STREQ(m.serial.info.pDLLName, "ODDCOM.DLL");
    EXPECT_STREQ(m.serial.uiDllName, "ODDCOMUI.DLL");
    EXPECT_EQ(m.serial.version, 5u);  // "5beta"
}

TEST_F(Monitors, NinexRowPassesTheWindows40Environment) {
    Load("odd");
    const pkg::PortMonitorRecords& m = config().PortMonitors(0);
    EXPECT_STREQ(m.usb.info.pName, "Old USB Monitor");
    ASSERT_NE(m.usb.info.pEnvironment, nullptr);
    EXPECT_STREQ(m.usb.info.pEnvironment, "Windows 4.0");
    ASSERT_NE(m.serial.info.pEnvironment, nullptr);
    EXPECT_STREQ(m.serial.info.pName, "0");  // missing keys read as "0"
    EXPECT_EQ(m.serial.version, 0u);
}

TEST_F(Monitors, LowerCaseSectionAndKeysAreFoundAndBlanksInsideQuotesKept) {
    Load("odd");
    const pkg::PortMonitorRecords& m = config().PortMonitors(7);
    EXPECT_STREQ(m.usb.info.pName, "  Spaced Monitor  ");
    EXPECT_EQ(m.usb.version, 0xFFFFFFFFu);  // "-1" recorded as a DWORD
}

TEST_F(Monitors, MissingSectionGivesZeroNames) {
    Load("odd");
    const pkg::PortMonitorRecords& m = config().PortMonitors(6);
    EXPECT_STREQ(m.usb.info.pName, "0");
    EXPECT_STREQ(m.usb.info.pDLLName, "0");
    EXPECT_STREQ(m.usb.uiDllName, "0");
}

TEST_F(Monitors, LanguageMonitorPresenceFollowsTheOneCharacterRule) {
    Load("odd");
    struct Case {
        int os;
        pkg::PortKind kind;
        bool present;
        const char* name;
        const char* dll;
        std::uint32_t version;
    } const cases[] = {
        {3, pkg::kUsbPort, true, "Odd Language Monitor", "ODDLM.DLL", 9},
        // All three keys missing.
        {2, pkg::kUsbPort, false, "", "", 0},
        // A one-letter name with a longer DLL name is a monitor.
        {5, pkg::kUsbPort, true, "L", "LANG.DLL", 1},
        // Three one-character values count as absent, whatever they say.
        {4, pkg::kUsbPort, false, "", "", 0},
        // Other port kinds never have one.
        {3, pkg::kSerialPort, false, "", "", 0},
        {3, pkg::kParallelPort, false, "", "", 0},
        {3, pkg::kNetworkPort, false, "", "", 0},
    };
    for (const Case& c : cases) {
        const pkg::LanguageMonitorRecord& lm = config().LanguageMonitor(c.os, c.kind);
        EXPECT_EQ(lm.present, c.present) << "os " << c.os << " kind " << c.kind;
        EXPECT_STREQ(lm.info.pName, c.name) << "os " << c.os << " kind " << c.kind;
        EXPECT_STREQ(lm.info.pDLLName, c.dll) << "os " << c.os << " kind " << c.kind;
        EXPECT_EQ(lm.version, c.version) << "os " << c.os << " kind " << c.kind;
    }
}

TEST_F(Monitors, LanguageMonitorOnTheNinexRowCarriesItsEnvironment) {
    Load("odd");
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini",
                                    "[COMMON-MONITOR.98]\r\nUSBLMONitorName=LM9x\r\n"));
    const pkg::LanguageMonitorRecord& lm = config().LanguageMonitor(0, pkg::kUsbPort);
    EXPECT_TRUE(lm.present);
    EXPECT_STREQ(lm.info.pName, "LM9x");
    EXPECT_STREQ(lm.info.pDLLName, "0");  // taken as read
    ASSERT_NE(lm.info.pEnvironment, nullptr);
    EXPECT_STREQ(lm.info.pEnvironment, "Windows 4.0");
}

}  // namespace
}  // namespace setuptest
