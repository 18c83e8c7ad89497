// Port-monitor and language-monitor records of "COMMON-MONITOR" + OS suffix.
#include <gtest/gtest.h>

#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

using Monitors = ConfigTest;

TEST_F(Monitors, PortMonitorsAreReadFromTheOsSection) {
    Load("odd");
    pkg::PortMonitorRecords m = config().ReadPortMonitors(3);
    EXPECT_EQ(m.usb.name, "Odd USB Monitor");
    EXPECT_EQ(m.usb.dllName, "ODDUSB.DLL");
    EXPECT_EQ(m.usb.uiDllName, "ODDUSBUI.DLL");
    EXPECT_EQ(m.usb.version, 7u);
    EXPECT_EQ(m.usb.environment, "");
    EXPECT_EQ(m.serial.name, "Odd Serial Monitor");  // single quotes dropped
    EXPECT_EQ(m.serial.dllName, "ODDCOM.DLL");
    EXPECT_EQ(m.serial.uiDllName, "ODDCOMUI.DLL");
    EXPECT_EQ(m.serial.version, 5u);  // "5beta"
}

TEST_F(Monitors, NinexRowPassesTheWindows40Environment) {
    Load("odd");
    pkg::PortMonitorRecords m = config().ReadPortMonitors(0);
    EXPECT_EQ(m.usb.name, "Old USB Monitor");
    EXPECT_EQ(m.usb.environment, "Windows 4.0");
    EXPECT_EQ(m.serial.name, "0");  // missing keys read as "0"
    EXPECT_EQ(m.serial.version, 0u);
}

TEST_F(Monitors, LowerCaseSectionAndKeysAreFoundAndBlanksInsideQuotesKept) {
    Load("odd");
    pkg::PortMonitorRecords m = config().ReadPortMonitors(7);
    EXPECT_EQ(m.usb.name, "  Spaced Monitor  ");
    EXPECT_EQ(m.usb.version, 0xFFFFFFFFu);  // "-1" recorded as a DWORD
}

TEST_F(Monitors, MissingSectionGivesZeroNames) {
    Load("odd");
    pkg::PortMonitorRecords m = config().ReadPortMonitors(6);
    EXPECT_EQ(m.usb.name, "0");
    EXPECT_EQ(m.usb.dllName, "0");
    EXPECT_EQ(m.usb.uiDllName, "0");
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
        pkg::LanguageMonitorRecord lm = config().ReadLanguageMonitor(c.os, c.kind);
        EXPECT_EQ(lm.present, c.present) << "os " << c.os << " kind " << c.kind;
        EXPECT_EQ(lm.name, c.name) << "os " << c.os << " kind " << c.kind;
        EXPECT_EQ(lm.dllName, c.dll) << "os " << c.os << " kind " << c.kind;
        EXPECT_EQ(lm.version, c.version) << "os " << c.os << " kind " << c.kind;
    }
}

TEST_F(Monitors, LanguageMonitorOnTheNinexRowCarriesItsEnvironment) {
    Load("odd");
    ASSERT_TRUE(machine().WriteFile("C:\\Pkg\\DRVCONFIG\\setup.ini",
                                    "[COMMON-MONITOR.98]\r\nUSBLMONitorName=LM9x\r\n"));
    pkg::LanguageMonitorRecord lm = config().ReadLanguageMonitor(0, pkg::kUsbPort);
    EXPECT_TRUE(lm.present);
    EXPECT_EQ(lm.name, "LM9x");
    EXPECT_EQ(lm.dllName, "0");  // taken as read
    EXPECT_EQ(lm.environment, "Windows 4.0");
}

}  // namespace
}  // namespace setuptest
