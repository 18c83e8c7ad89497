// The printer record, the eleven driver files, the minidriver flag and the ".PORT" settings.
#include <gtest/gtest.h>

#include "tests/package/config_fixture.h"

namespace setuptest {
namespace {

using pkg::Flavour;

using PrinterRecord = ConfigTest;

TEST_F(PrinterRecord, CarriesModelNameDriverNameProcessorAndAttributes) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::PrinterRecord p =
        config().ReadPrinterRecord("AB-100", 3, pkg::kNetworkPort, Flavour::Raster);
    EXPECT_EQ(p.printerName, "AB-100");
    EXPECT_EQ(p.driverName, "AB-100 Network");
    EXPECT_EQ(p.printProcessor, "ABPrint");
    EXPECT_EQ(p.attributes, 576u);
    EXPECT_EQ(p.portName, "");  // the engine sets the port
    EXPECT_EQ(config().ReadPrinterRecord("AB-100", 3, pkg::kNetworkPort, Flavour::Standard)
                  .printProcessor,
              "WinPrint");
}

TEST_F(PrinterRecord, AttributesAreTheLeadingNumberAsADword) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    // "  -5" on the 9x row, a value beyond 32 bits on .2008, a missing key on .Win7.
    EXPECT_EQ(config().ReadPrinterRecord("AB-100", 0, pkg::kSerialPort, Flavour::Raster).attributes,
              static_cast<std::uint32_t>(-5));
    EXPECT_EQ(config().ReadPrinterRecord("AB-100", 6, pkg::kSerialPort, Flavour::Raster).attributes,
              0x7FFFFFFFu);
    EXPECT_EQ(config().ReadPrinterRecord("AB-100", 7, pkg::kSerialPort, Flavour::Raster).attributes,
              0u);
}

using DriverFiles = ConfigTest;

TEST_F(DriverFiles, ElevenSlotsFollowTheFlavour) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    pkg::DriverFileSet raster = config().DriverFiles("AB-100", 3, Flavour::Raster);
    const char* const expectedRaster[pkg::kDriverFileSlotCount] = {
        "UNIDRV.DLL", "AB100.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "ABPROC.DLL", "AB100RES.DLL",
        "ABREND.DLL", "AB.INI",    "ABUI.DLL",     "ABFONT.TBL", "0"};
    for (int slot = 0; slot < pkg::kDriverFileSlotCount; ++slot)
        EXPECT_EQ(raster[static_cast<pkg::DriverFileSlot>(slot)], expectedRaster[slot])
            << pkg::DriverFileKey(static_cast<pkg::DriverFileSlot>(slot), Flavour::Raster);

    pkg::DriverFileSet standard = config().DriverFiles("AB-100", 3, Flavour::Standard);
    EXPECT_EQ(standard[pkg::kDataFile], "AB100S.GPD");
    EXPECT_EQ(standard[pkg::kProcessorFile], "0");
    EXPECT_EQ(standard[pkg::kRenderPluginFile], "0");
    // ControlFontFile has one key for both flavours.
    EXPECT_EQ(standard[pkg::kControlFontFile], "ABFONT.TBL");
}

TEST(DriverFileKey, NamesEachSlotsKey) {
    EXPECT_EQ(pkg::DriverFileKey(pkg::kDriverPathFile, Flavour::Raster), "GDIDriverPath");
    EXPECT_EQ(pkg::DriverFileKey(pkg::kProcessorFile, Flavour::Standard),
              "STDProcessorDLLName");
    EXPECT_EQ(pkg::DriverFileKey(pkg::kUiPluginFile, Flavour::Raster), "GDIDataOemuiDLL");
    EXPECT_EQ(pkg::DriverFileKey(pkg::kRenderPluginFile, Flavour::Raster), "GDIDataOemuniDLL");
    EXPECT_EQ(pkg::DriverFileKey(pkg::kPluginIniFile, Flavour::Standard), "STDDataOemuniini");
    EXPECT_EQ(pkg::DriverFileKey(pkg::kUsbInternalIdFile, Flavour::Standard), "USBInternalID");
}

TEST_F(DriverFiles, MinidriverFlagNeedsALeadingOne) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_TRUE(config().MinidriverFlag("AB-100", 3, Flavour::Raster));
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 3, Flavour::Standard));  // "0"
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 6, Flavour::Raster));    // "2"
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 7, Flavour::Standard));  // missing
}

using PortSettings = ConfigTest;

TEST_F(PortSettings, KeysAreFoundInAnyLetterCaseAndMissingOnesAreZero) {
    Load("odd");
    config().SelectSeries(pkg::kReceipt);
    EXPECT_EQ(config().PortSetting("AB-100", "USBSUPPORTED"), 1);
    EXPECT_EQ(config().PortSetting("AB-100", "LPTSUPPORTED"), 0);
    EXPECT_EQ(config().PortSetting("AB-100", "COMSUPPORTED"), 1);
    EXPECT_EQ(config().PortSetting("AB-100", "BaudRate"), 19200);
    EXPECT_EQ(config().PortSetting("AB-100", "AdvancedSetup"), 0);
    // A model without a ".PORT" section supports nothing.
    EXPECT_EQ(config().PortSetting("X-LabelPrinter", "USBSUPPORTED"), 0);
}

}  // namespace
}  // namespace setuptest
