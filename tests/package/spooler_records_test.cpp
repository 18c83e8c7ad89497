// The spooler's ANSI records built from the package's value records: every text field points
// into the value record, fields the record leaves out are null, and the dependent-file list
// keeps its inner zeros.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "package/SpoolerRecords.h"

namespace {

TEST(SpoolerRecords, DriverInfoPointsIntoTheRecordAndKeepsTheWholeDependentList) {
    pkg::DriverRecord record;
    record.version = 3;
    record.name = "AB-100 USB";
    record.driverPath = "UNIDRV.DLL";
    record.dataFile = "AB100.GPD";
    record.configFile = "UNIDRVUI.DLL";
    record.helpFile = "UNIDRV.HLP";
    record.dependentFiles = std::string("AB100.GPD\0TTFSUB.GPD\0\0", 22);
    record.monitorName = "AB Language Monitor";

    plat::DRIVER_INFO_3A info = pkg::AsDriverInfo3(record);
    EXPECT_EQ(info.cVersion, 3u);
    EXPECT_EQ(info.pName, record.name.c_str());
    EXPECT_EQ(info.pDataFile, record.dataFile.c_str());
    EXPECT_STREQ(info.pDriverPath, "UNIDRV.DLL");
    EXPECT_STREQ(info.pConfigFile, "UNIDRVUI.DLL");
    EXPECT_STREQ(info.pHelpFile, "UNIDRV.HLP");
    EXPECT_STREQ(info.pMonitorName, "AB Language Monitor");
    EXPECT_EQ(info.pEnvironment, nullptr);  // none: the running system's own
    EXPECT_EQ(info.pDefaultDataType, nullptr);
    // Both names, the terminator of each and the extra zero that ends the list.
    EXPECT_EQ(std::memcmp(info.pDependentFiles, "AB100.GPD\0TTFSUB.GPD\0\0", 22), 0);
}

TEST(SpoolerRecords, EmptyDependentListIsOneEmptyNameAndTheEnvironmentIsPassedWhenSet) {
    pkg::DriverRecord record;
    record.environment = "Windows 4.0";
    plat::DRIVER_INFO_3A info = pkg::AsDriverInfo3(record);
    ASSERT_NE(info.pDependentFiles, nullptr);
    EXPECT_EQ(info.pDependentFiles[0], '\0');
    ASSERT_NE(info.pEnvironment, nullptr);
    EXPECT_STREQ(info.pEnvironment, "Windows 4.0");
    EXPECT_STREQ(info.pMonitorName, "");  // no language monitor: an empty name, not null
}

TEST(SpoolerRecords, PrinterInfoHasNoPortUntilTheEngineSetsOne) {
    pkg::PrinterRecord record{"AB-100", "AB-100 Network", "ABPrint", "", 576};
    plat::PRINTER_INFO_2A info = pkg::AsPrinterInfo2(record);
    EXPECT_EQ(info.pPrinterName, record.printerName.c_str());
    EXPECT_STREQ(info.pDriverName, "AB-100 Network");
    EXPECT_STREQ(info.pPrintProcessor, "ABPrint");
    EXPECT_EQ(info.Attributes, 576u);
    EXPECT_EQ(info.pPortName, nullptr);
    EXPECT_EQ(info.pServerName, nullptr);
    EXPECT_EQ(info.pDevMode, nullptr);

    record.printerName = "AB-100(E)";
    record.portName = "IP_10.0.0.7";
    info = pkg::AsPrinterInfo2(record);
    EXPECT_STREQ(info.pPrinterName, "AB-100(E)");
    EXPECT_STREQ(info.pPortName, "IP_10.0.0.7");
}

TEST(SpoolerRecords, MonitorInfoOfPortAndLanguageMonitors) {
    pkg::PortMonitorRecord port{"Odd USB Monitor", "", "ODDUSB.DLL", "ODDUSBUI.DLL", 7};
    plat::MONITOR_INFO_2A info = pkg::AsMonitorInfo2(port);
    EXPECT_STREQ(info.pName, "Odd USB Monitor");
    EXPECT_STREQ(info.pDLLName, "ODDUSB.DLL");
    EXPECT_EQ(info.pEnvironment, nullptr);

    pkg::LanguageMonitorRecord language{"LM9x", "Windows 4.0", "LANG.DLL", 1, true};
    info = pkg::AsMonitorInfo2(language);
    EXPECT_STREQ(info.pName, "LM9x");
    EXPECT_STREQ(info.pDLLName, "LANG.DLL");
    ASSERT_NE(info.pEnvironment, nullptr);
    EXPECT_STREQ(info.pEnvironment, "Windows 4.0");
}

}  // namespace
