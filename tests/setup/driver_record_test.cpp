// The driver record: driver name by OS and port kind, version and environment, the flavours'
// files, the dependent-file list and its 200-byte limit, and the 64-bit series files.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win_constants.h"
#include "tests/setup/config_fixture.h"

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

plat::DRIVER_INFO_3A* Read(PackageConfig& config, const std::string& model, int os,
                           PortKind kind, Flavour flavour, std::uint32_t expected = ERROR_SUCCESS) {
    plat::DRIVER_INFO_3A* record = nullptr;
    EXPECT_EQ(config.ReadDriverRecord(model, os, kind, flavour, record), expected);
    return record;
}

TEST_F(DriverRecord, FillsTheRasterRecordFromLowerCaseSectionsOfACapitalisedFile) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->cVersion, 3u);
    EXPECT_STREQ(r->pName, "AB-100 Serial");
    EXPECT_EQ(r->pEnvironment, nullptr);
    EXPECT_STREQ(r->pDriverPath, "UNIDRV.DLL");
    EXPECT_STREQ(r->pDataFile, "AB100.GPD");
    EXPECT_STREQ(r->pConfigFile, "UNIDRVUI.DLL");
    EXPECT_STREQ(r->pHelpFile, "UNIDRV.HLP");
    EXPECT_EQ(r->pDefaultDataType, nullptr);
    EXPECT_STREQ(r->pMonitorName, "");  // a serial port has no language monitor
    EXPECT_EQ(SplitList(r->pDependentFiles),
              (std::vector<std::string>{"AB100.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "AB100RES.DLL", "ABUI.DLL", "ABREND.DLL", "AB.INI"}));
}

TEST_F(DriverRecord, StandardFlavourReadsTheStdKeysAndSkipsNamesStartingWithZero) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 3, pkg::kParallelPort, Flavour::Standard);
    EXPECT_STREQ(r->pName, "AB-100 Parallel");  // the name does not depend on the flavour
    EXPECT_STREQ(r->pDataFile, "AB100S.GPD");
    // GDI2KDDKDEV decides the list even for the standard flavour (STD2KDDKDEV is 0 here).
    EXPECT_EQ(SplitList(r->pDependentFiles),
              (std::vector<std::string>{"AB100S.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "ABUI.DLL", "AB.INI"}));
}

TEST_F(DriverRecord, MissingDriverNameKeyGivesZero) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_STREQ(Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster)->pName, "0");
}

TEST_F(DriverRecord, UsbPortCarriesTheLanguageMonitorName) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_STREQ(Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster)->pMonitorName,
                 "Odd Language Monitor");
    // Windows 2000 has no language monitor keys: the USB driver gets none.
    EXPECT_STREQ(Read(config(), "AB-100", 2, pkg::kUsbPort, Flavour::Raster)->pMonitorName, "");
}

TEST_F(DriverRecord, NinexRowHasVersionZeroTheWindows40EnvironmentAndNoDependentList) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 0, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(r->cVersion, 0u);
    ASSERT_NE(r->pEnvironment, nullptr);
    EXPECT_STREQ(r->pEnvironment, "Windows 4.0");
    EXPECT_STREQ(r->pName, "AB-100 for 9x");  // GDIDriverName whatever the port kind
    EXPECT_STREQ(r->pDependentFiles, "");
    EXPECT_EQ(Read(config(), "AB-100", 1, pkg::kUsbPort, Flavour::Raster)->cVersion, 2u);
}

TEST_F(DriverRecord, StandardDataFileAloneStartsTheListBeforeTheUniversalFiles) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 7, pkg::kUsbPort, Flavour::Standard);
    EXPECT_EQ(SplitList(r->pDependentFiles),
              (std::vector<std::string>{"ONLYSTD.GPD", "TTFSUB.GPD", "UNIRES.DLL",
                                        "STDNAMES.GPD"}));
    // The raster flavour's data file is missing there: the list starts with its "0".
    r = Read(config(), "AB-100", 7, pkg::kUsbPort, Flavour::Raster);
    EXPECT_EQ(SplitList(r->pDependentFiles)[0], "0");
}

TEST_F(DriverRecord, ListIsNotBuiltWhenGdiSwitchIsOffEvenIfTheStdSwitchIsOn) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 2, pkg::kSerialPort, Flavour::Standard);
    EXPECT_STREQ(r->pDependentFiles, "");
    EXPECT_TRUE(config().MinidriverFlag("AB-100", 2, Flavour::Standard));
}

TEST_F(DriverRecord, EmptyAndZeroNamesAreLeftOutAndAnyNonZeroSwitchBuildsTheList) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 6, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(SplitList(r->pDependentFiles),
              (std::vector<std::string>{"AB100.GPD", "TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD",
                                        "REND.DLL"}));
}

TEST_F(DriverRecord, ListOfExactly200BytesFits) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    std::string list = config().DependentFileList("AB-100", 4, Flavour::Raster);
    ASSERT_EQ(list.size(), 200u);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 4, pkg::kSerialPort, Flavour::Raster);
    EXPECT_EQ(std::memcmp(r->pDependentFiles, list.data(), list.size()), 0);
    EXPECT_EQ(SplitList(r->pDependentFiles).size(), 4u);
}

TEST_F(DriverRecord, ListLongerThan200BytesIsRefusedNotCut) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_EQ(config().DependentFileList("AB-100", 5, Flavour::Raster).size(), 201u);
    plat::DRIVER_INFO_3A* r =
        Read(config(), "AB-100", 5, pkg::kUsbPort, Flavour::Raster, ERROR_INSUFFICIENT_BUFFER);
    ASSERT_NE(r, nullptr);
    // The rest of the record is still filled, so a caller can say which driver was refused.
    EXPECT_STREQ(r->pName, "AB-100 USB");
    EXPECT_STREQ(r->pDependentFiles, "");
    EXPECT_EQ(r->pDependentFiles[1], '\0');
}

TEST_F(DriverRecord, LongValuesAreCutToTheirBuffers) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 6, pkg::kSerialPort, Flavour::Raster);
    EXPECT_STREQ(r->pName, std::string("A driver name that is far longer than forty-nine characters")
                               .substr(0, 49)
                               .c_str());
    EXPECT_STREQ(r->pDriverPath, "UNIDRV.DLL");  // quotes dropped
    // The data file of 164 characters fits its 200-character buffer uncut.
    r = Read(config(), "AB-100", 5, pkg::kUsbPort, Flavour::Raster, ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::strlen(r->pDataFile), 164u);
}

TEST_F(DriverRecord, MissingSectionSeriesOrOsGivesZeroes) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "NO-SUCH", 3, pkg::kUsbPort, Flavour::Raster);
    EXPECT_STREQ(r->pName, "0");
    EXPECT_STREQ(r->pDriverPath, "0");
    EXPECT_STREQ(r->pDependentFiles, "");
    r = Read(config(), "AB-100", 8, pkg::kUsbPort, Flavour::Raster);
    EXPECT_STREQ(r->pName, "0");
    config().SelectSeries(7);
    EXPECT_EQ(config().selectedSeries(), -1);
    EXPECT_STREQ(Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster)->pName, "0");
}

TEST_F(DriverRecord, RecordStaysValidUntilTheNextDriverRecordRead) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 3, pkg::kSerialPort, Flavour::Raster);
    config().PrinterRecord("AB-100", 3, pkg::kNetworkPort, Flavour::Standard);
    config().PortMonitors(3);
    EXPECT_STREQ(r->pName, "AB-100 Serial");
}

using SixtyFourBit = ConfigTest;

TEST_F(SixtyFourBit, ReadsGoToThe64BitSeriesFiles) {
    Load("odd", true, "windows-7-x64");
    EXPECT_EQ(config().SeriesFilePath(0), "C:\\Pkg\\DRVCONFIG\\setup_receipt_64.ini");
    config().SelectSeries(pkg::kReceipt);
    plat::DRIVER_INFO_3A* r = Read(config(), "AB-100", 3, pkg::kUsbPort, Flavour::Raster);
    EXPECT_STREQ(r->pName, "AB-100 USB x64");
    EXPECT_STREQ(r->pDataFile, "AB100X64.GPD");
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
