// The inventory Uninstall.ini: entry counts and keys, the 29-character values, case-sensitive
// substring matching, the kind of a name, and the per-OS component sections.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_machine.h"
#include "uninstall/Inventory.h"

namespace {

using uninstall::Inventory;
using uninstall::ItemKind;

class InventoryTest : public ::testing::Test {
protected:
    std::unique_ptr<Inventory> Load(const std::string& content, int osIndex = 7) {
        std::ofstream(machine_.machine().driveC() / "scratch" / "Uninstall.ini",
                      std::ios::binary)
            << content;
        process_ = machine_.Process();
        return std::make_unique<Inventory>(*process_, "C:\\scratch\\Uninstall.ini", osIndex);
    }
    testsupport::TempMachine machine_;
    std::unique_ptr<sim::SimPlatform> process_;
};

constexpr const char* kLists =
    "[KXPRINTER]\nPRINTERNUM=2\nPRINTERNAME1=VTX-\nPRINTERNAME2=Label\nPRINTERNAME3=Unlisted\n"
    "[KXMONITOR]\nMonitorNUM=1\nMONITORNAME1=VTX USB Port Monitor\n"
    "[KXPROC]\nPROCNUM=1\nPROCNAME1=VTXPrint\n";

TEST_F(InventoryTest, CountsDecideHowManyEntriesAreRead) {
    struct Case {
        const char* count;  // PRINTERNUM; null: the key is missing
        std::vector<std::string> entries;
    } const cases[] = {
        {"2", {"VTX-", "Label"}},
        {"3", {"VTX-", "Label", "Unlisted"}},
        {"4", {"VTX-", "Label", "Unlisted", "0"}},  // a missing entry reads as its default
        {"1", {"VTX-"}},
        {"0", {}},
        {"-1", {}},
        {"x", {}},
        {nullptr, {}},  // default "0"
    };
    for (const Case& c : cases) {
        std::string file = "[KXPRINTER]\n";
        if (c.count) file += std::string("PRINTERNUM=") + c.count + "\n";
        file += "PRINTERNAME1=VTX-\nPRINTERNAME2=Label\nPRINTERNAME3=Unlisted\n";
        EXPECT_EQ(Load(file)->printerEntries(), c.entries) << (c.count ? c.count : "missing");
    }
}

TEST_F(InventoryTest, EntryKeysAreTheBaseNameAndOneCharacter) {
    EXPECT_EQ(uninstall::EntryKey("PRINTERNAME", 0), "PRINTERNAME1");
    EXPECT_EQ(uninstall::EntryKey("PROCNAME", 8), "PROCNAME9");
    // Past nine the characters after '9' follow.
    EXPECT_EQ(uninstall::EntryKey("MONITORNAME", 9), "MONITORNAME:");
    EXPECT_EQ(Load("[KXPROC]\nPROCNUM=10\nPROCNAME:=Tenth\n")->processorEntries().back(),
              "Tenth");
}

TEST_F(InventoryTest, ValuesAreCutAt29Characters) {
    const std::string name29(29, 'a');
    auto inventory =
        Load("[KXMONITOR]\nMonitorNUM=2\nMONITORNAME1=" + name29 + "\nMONITORNAME2=" + name29 +
             "bcd\n");
    EXPECT_EQ(inventory->monitorEntries(), (std::vector<std::string>{name29, name29}));
}

TEST_F(InventoryTest, MatchingIsACaseSensitiveSubstringTest) {
    auto inventory = Load(kLists);
    struct Case {
        const char* installed;
        bool matches;
    } const cases[] = {
        {"VTX-80R USB", true},   // the driver contains the model prefix
        {"VTX-", true},
        {"vtx-80R", false},      // letter case counts
        {"VTX 80R", false},
        {"My Label Printer", true},
        {"Generic / Text Only", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(uninstall::MatchesAny(c.installed, inventory->printerEntries()), c.matches)
            << c.installed;
}

TEST_F(InventoryTest, KindIsMonitorThenProcessorThenPrinter) {
    auto inventory = Load(kLists);
    EXPECT_EQ(inventory->KindOf("VTX USB Port Monitor"), ItemKind::Monitor);
    EXPECT_EQ(inventory->KindOf("VTXPrint"), ItemKind::Processor);
    EXPECT_EQ(inventory->KindOf("VTX-80R(U) 1"), ItemKind::Printer);
    EXPECT_EQ(inventory->KindOf("VTX Serial Port Monitor"), ItemKind::Printer);  // not listed
    // With no monitors listed even an installed monitor's name is no monitor.
    EXPECT_EQ(Load("[KXMONITOR]\nMonitorNUM=0\nMONITORNAME1=VTX USB Port Monitor\n")
                  ->KindOf("VTX USB Port Monitor"),
              ItemKind::Printer);
}

TEST(OsSuffix, FollowsTheOsIndexWithXpSharingThe2000Sections) {
    const char* const expected[] = {".98",   ".NT",    ".2K",   ".2K",
                                    ".2003", ".Vista", ".2008", ".Win7"};
    for (int i = 0; i < 8; ++i) EXPECT_STREQ(uninstall::OsSuffix(i), expected[i]) << i;
    EXPECT_STREQ(uninstall::OsSuffix(8), "");
    EXPECT_STREQ(uninstall::OsSuffix(-1), "");
}

TEST(ComponentSections, MonitorNamesLoseTheirBlanksProcessorNamesDoNot) {
    EXPECT_EQ(uninstall::MonitorSection("VTX USB Port Monitor", 3), "VTXUSBPortMonitor.2K");
    EXPECT_EQ(uninstall::MonitorSection(" A  B ", 7), "AB.Win7");
    EXPECT_EQ(uninstall::ProcessorSection("VTX Print", 0), "VTX Print.98");
}

TEST_F(InventoryTest, MonitorFilesComeFromTheSectionOfTheRunningSystem) {
    const std::string file =
        std::string(kLists) +
        "[VTXUSBPortMonitor.2K]\nMonitorPDLLName=XPUSBM.DLL\nMONitorPUIDLLName=0\n"
        "USBMONitorDLLName=XPEXTRA.DLL\nUSBMONitorName=VTX USB Port Monitor\n"
        "[VTXUSBPortMonitor.Win7]\nMonitorPDLLName=W7USBM.DLL\nMONitorPUIDLLName=\n"
        "USBMONitorName=Key7\n"
        "[VTXSerialPortMonitor.2K]\nMonitorPDLLName=COMM.DLL\nUSBMONitorDLLName=SKIPPED.DLL\n"
        "[VTXPrint.2K]\nProcessorDllName=XPPROC.DLL\n[VTXPrint.Win7]\nProcessorDllName=0PROC.DLL\n";
    // Windows XP (index 3) reads the ".2K" sections.
    auto xp = Load(file, 3);
    uninstall::MonitorFiles usb = xp->ReadMonitorFiles("VTX USB Port Monitor");
    EXPECT_EQ(usb.section, "VTXUSBPortMonitor.2K");
    EXPECT_EQ(usb.dll, "XPUSBM.DLL");
    EXPECT_EQ(usb.uiDll, "");  // "0" means nothing
    EXPECT_EQ(usb.usbDll, "XPEXTRA.DLL");
    EXPECT_EQ(usb.keyName, "VTX USB Port Monitor");
    EXPECT_EQ(xp->ReadProcessorDll("VTXPrint"), "XPPROC.DLL");
    // The extra DLL is read only for a section whose name contains "USB".
    uninstall::MonitorFiles serial = xp->ReadMonitorFiles("VTX Serial Port Monitor");
    EXPECT_EQ(serial.dll, "COMM.DLL");
    EXPECT_EQ(serial.usbDll, "");
    EXPECT_EQ(serial.keyName, "");  // missing: the default "0"

    auto win7 = Load(file, 7);
    usb = win7->ReadMonitorFiles("VTX USB Port Monitor");
    EXPECT_EQ(usb.dll, "W7USBM.DLL");
    EXPECT_EQ(usb.uiDll, "");   // empty means nothing too
    EXPECT_EQ(usb.usbDll, "");  // missing
    EXPECT_EQ(usb.keyName, "Key7");
    EXPECT_EQ(win7->ReadProcessorDll("VTXPrint"), "");  // begins with '0'
}

}  // namespace
