// The driver record: driver name by OS and port kind, version and environment, the flavours'
// files, the dependent-file list and its 200-byte limit, and the 64-bit series files.
#include <gtest/gtest.h>


#include "platform/win_constants.h"
#include "package/SpoolerRecords.h"
#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

using pkg::Flavour;
using pkg::PackageConfig;
using pkg::PortKind;

TEST(DriverNameKey, DependsOnTheOsRowAndThePortKind) {
    struct Case {
        int os;
        PortKind kind;
        const char* key;
    } const cases[] = {
        {0, pkg::kUsbPort, "GDIDriverName"},       {1, pkg::kSerialPort, "GDIDriverName"},
        {2, pkg::kSerialPort, "DriverNameS"},      {3, pkg::kParallelPort, "DriverNameP"},
        {5, pkg::kUsbPort, "DriverNameU"},         {7, pkg::kNetworkPort, "DriverNameN"},
        {4, static_cast<PortKind>(9), ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(PackageConfig::DriverNameKey(c.os, c.kind), c.key)
            << "os " << c.os << " kind " << c.kind;
}

using DriverRecord = ConfigTest;

pkg::DriverRecord Read(PackageConfig& config, const std::string& model, int os, PortKind kind,
                       Flavour flavour, std::uint32_t expected = ERROR_SUCCESS) {
    pkg::DriverRecord record;
    EXPECT_EQ(config.ReadDriverRecord(model, os, kind, flavour, record), expected);
    return record;
}

TEST_F(DriverRecord, FillsTheRasterRecordFromLowerCaseSectionsOfACapitalisedFile) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(r.version, 3u);
    EXPECT_EQ(r.name, "AB-100 Serial");
    EXPECT_EQ(r.environment, "");
    EXPECT_EQ(r.driverPath, "UNIDRV.DLL");
    EXPECT_EQ(r.dataFile, "AB100.GPD");
    EXPECT_EQ(r.configFile, "UNIDRVUI.DLL");
    EXPECT_EQ(r.helpFile, "UNIDRV.HLP");
    EXPECT_EQ(r.monitorName, "");  // a serial port has no language monitor
    EXPECT_EQ(SplitList(r.dependentFiles),
              (std::vector<std::string>{"AB100.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "AB100RES.DLL", "ABUI.DLL", "ABREND.DLL", "AB.INI"}));
}

TEST_F(DriverRecord, StandardFlavourReadsTheStdKeysAndSkipsNamesStartingWithZero) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 3, pkg::kParallelPort, Flavour::Standard);
    EXPECT_EQ(r.name, "AB-100 Parallel");  // the name does not depend on the flavour
    EXPECT_EQ(r.dataFile, "AB100S.GPD");
    // GDI2KDDKDEV decides the list even for the standard flavour (STD2KDDKDEV is 0 here).
    EXPECT_EQ(SplitList(r.dependentFiles),
              (std::vector<std::string>{"AB100S.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "ABUI.DLL", "AB.INI"}));
}

TEST_F(DriverRecord, MissingDriverNameKeyGivesZero) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_EQ(Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster).name, "0");
}

TEST_F(DriverRecord, UsbPortCarriesTheLanguageMonitorName) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_EQ(Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster).monitorName,
                 "Odd Language Monitor");
    // Windows 2000 has no language monitor keys: the USB driver gets none.
    EXPECT_EQ(Read(config(), "AB-100", 2, pkg::kUsbPort, Flavour::Raster).monitorName, "");
}

TEST_F(DriverRecord, NinexRowHasVersionZeroTheWindows40EnvironmentAndNoDependentList) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 0, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(r.version, 0u);
    EXPECT_EQ(r.environment, "Windows 4.0");
    EXPECT_EQ(r.name, "AB-100 for 9x");  // GDIDriverName whatever the port kind
    EXPECT_EQ(r.dependentFiles, "");
    EXPECT_EQ(Read(config(), "AB-100", 1, pkg::kUsbPort, Flavour::Raster).version, 2u);
}

TEST_F(DriverRecord, StandardDataFileAloneStartsTheListBeforeTheUniversalFiles) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 7, pkg::kUsbPort, Flavour::Standard);
    EXPECT_EQ(SplitList(r.dependentFiles),
              (std::vector<std::string>{"ONLYSTD.GPD", "TTFSUB.GPD", "UNIRES.DLL",
                                        "STDNAMES.GPD"}));
    // The raster flavour's data file is missing there: the list starts with its "0".
    r = Read(config(), "AB-100", 7, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(SplitList(r.dependentFiles)[0], "0");
}

TEST_F(DriverRecord, ListIsNotBuiltWhenGdiSwitchIsOffEvenIfTheStdSwitchIsOn) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 2, pkg::kSerialPort, Flavour::Standard);
    EXPECT_EQ(r.dependentFiles, "");
    EXPECT_TRUE(config().MinidriverFlag("AB-100", 2, Flavour::Standard));
}

TEST_F(DriverRecord, EmptyAndZeroNamesAreLeftOutAndAnyNonZeroSwitchBuildsTheList) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 6, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(SplitList(r.dependentFiles),
              (std::vector<std::string>{"AB100.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "REND.DLL"}));
}

TEST_F(DriverRecord, ListOfExactly200BytesFits) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    std::string list = config().DependentFileList("AB-100", 4, Flavour::Raster);
    ASSERT_EQ(list.size(), 200u);
    pkg::DriverRecord r = Read(config(), "AB-100", 4, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(r.dependentFiles, list);
    EXPECT_EQ(SplitList(r.dependentFiles).size(), 4u);
}

TEST_F(DriverRecord, ListLongerThan200BytesIsRefusedNotCut) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_EQ(config().DependentFileList("AB-100", 5, Flavour::Raster).size(), 201u);
    pkg::DriverRecord r =
        Read(config(), "AB-100", 5, pkg::kUsbPort, Flavour::Raster, ERROR_INSUFFICIENT_BUFFER);
    // The rest of the record is still filled, so a caller can say which driver was refused.
    EXPECT_EQ(r.name, "AB-100 USB");
    EXPECT_EQ(r.dependentFiles, "");
}

TEST_F(DriverRecord, LongValuesAreCutToTheirBuffers) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 6, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(r.name, std::string("A driver name that is far longer than forty-nine characters")
                               .substr(0, 49));
    EXPECT_EQ(r.driverPath, "UNIDRV.DLL");  // quotes dropped
    // The data file of 164 characters fits its 200-character buffer uncut.
    r = Read(config(), "AB-100", 5, pkg::kUsbPort, Flavour::Raster, ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(r.dataFile.size(), 164u);
}

TEST_F(DriverRecord, MissingSectionSeriesOrOsGivesZeroes) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "NO-SUCH", 3, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(r.name, "0");
    EXPECT_EQ(r.driverPath, "0");
    EXPECT_EQ(r.dependentFiles, "");
    r = Read(config(), "AB-100", 8, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(r.name, "0");
    config().SelectSeries(7);
    EXPECT_EQ(config().selectedSeries(), -1);
    EXPECT_EQ(Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster).name, "0");
}

TEST_F(DriverRecord, RecordsReadOneAfterAnotherKeepTheirOwnTexts) {
    // An engine holds the driver and printer records of one installation at once.
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord serial = Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster);
    plat::DRIVER_INFO_3A info = pkg::AsDriverInfo3(serial);
    pkg::DriverRecord parallel =
        Read(config(), "AB-100", 3, pkg::kParallelPort, Flavour::Standard);
    pkg::PrinterRecord printer =
        config().ReadPrinterRecord("AB-100", 3, pkg::kNetworkPort, Flavour::Standard);
    config().ReadPortMonitors(3);
    EXPECT_STREQ(info.pName, "AB-100 Serial");
    EXPECT_STREQ(info.pDataFile, "AB100.GPD");
    EXPECT_EQ(parallel.name, "AB-100 Parallel");
    EXPECT_EQ(parallel.dataFile, "AB100S.GPD");
    EXPECT_EQ(printer.driverName, "AB-100 Network");
}

using SixtyFourBit = ConfigTest;

TEST_F(SixtyFourBit, ReadsGoToThe64BitSeriesFiles) {
    Load("odd", true, "windows-7-x64");
    EXPECT_EQ(config().SeriesFilePath(0), "C:\\Pkg\\DRVCONFIG\\setup_receipt_64.ini");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverRecord r = Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(r.name, "AB-100 USB x64");
    EXPECT_EQ(r.dataFile, "AB100X64.GPD");
    EXPECT_EQ(config().PortSetting("AB-100", "LPTSUPPORTED"), 1);
    EXPECT_EQ(config().PortSetting("AB-100", "USBSUPPORTED"), 0);
}

TEST_F(SixtyFourBit, PackageWithOnly32BitFilesOffersNoPorts) {
    Load("odd", true, "windows-7-x64");
    config().SelectSeries(pkg::kTicket);
    for (const char* key : {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED", "NETSUPPORTED"})
        EXPECT_EQ(config().PortSetting("CD-9", key), 0) << key;
    // The same package read for 32-bit Windows has the serial port.
    pkg::PackageConfig config32(P(), false);
    config32.SelectSeries(pkg::kTicket);
    EXPECT_EQ(config32.PortSetting("CD-9", "COMSUPPORTED"), 1);
}

}  // namespace
}  // namespace setuptest
