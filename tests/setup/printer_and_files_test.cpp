// The printer record, the eleven driver files, the minidriver flag and the ".PORT" settings.
#include <gtest/gtest.h>

#include "tests/setup/config_fixture.h"

namespace setuptest {
namespace {

using setup::Flavour;

using PrinterRecord = ConfigTest;

TEST_F(PrinterRecord, CarriesModelNameDriverNameProcessorAndAttributes) {
    Load("odd");
    config().SelectSeries(setup::kReceipt);
    plat::PRINTER_INFO_2A& p = config().PrinterRecord("AB-100", 3, setup::kNetworkPort,
                                                      Flavour::Raster);
    EXPECT_STREQ(p.pPrinterName, "AB-100");
    EXPECT_STREQ(p.pDriverName, "AB-100 Network");
    EXPECT_STREQ(p.pPrintProcessor, "ABPrint");
    EXPECT_EQ(p.Attributes, 576u);
    EXPECT_EQ(p.pPortName, nullptr);  // the engine sets the port
    EXPECT_EQ(p.pServerName, nullptr);
    EXPECT_EQ(p.pDevMode, nullptr);
    EXPECT_STREQ(config().PrinterRecord("AB-100", 3, setup::kNetworkPort, Flavour::Standard)
                     .pPrintProcessor,
                 "WinPrint");
}

TEST_F(PrinterRecord, AttributesAreTheLeadingNumberAsADword) {
    Load("odd");
    config().SelectSeries(setup::kReceipt);
    // "  -5" on the 9x row, a value beyond 32 bits on .2008, a missing key on .Win7.
    EXPECT_EQ(config().PrinterRecord("AB-100", 0, setup::kSerialPort, Flavour::Raster).Attributes,
              static_cast<std::uint32_t>(-5));
    EXPECT_EQ(config().PrinterRecord("AB-100", 6, setup::kSerialPort, Flavour::Raster).Attributes,
              0x7FFFFFFFu);
    EXPECT_EQ(config().PrinterRecord("AB-100", 7, setup::kSerialPort, Flavour::Raster).Attributes,
              0u);
}

using DriverFiles = ConfigTest;

TEST_F(DriverFiles, ElevenSlotsFollowTheFlavour) {
    Load("odd");
    config().SelectSeries(setup::kReceipt);
    setup::DriverFileSet raster = config().DriverFiles("AB-100", 3, Flavour::Raster);
    const char* const expectedRaster[setup::kDriverFileSlotCount] = {
        "UNIDRV.DLL", "AB100.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "ABPROC.DLL", "AB100RES.DLL",
        "ABREND.DLL", "AB.INI",    "ABUI.DLL",     "ABFONT.TBL", "0"};
    for (int slot = 0; slot < setup::kDriverFileSlotCount; ++slot)
        EXPECT_STREQ(raster[static_cast<setup::DriverFileSlot>(slot)], expectedRaster[slot])
            << setup::DriverFileKey(static_cast<setup::DriverFileSlot>(slot), Flavour::Raster);

    setup::DriverFileSet standard = config().DriverFiles("AB-100", 3, Flavour::Standard);
    EXPECT_STREQ(standard[setup::kDataFile], "AB100S.GPD");
    EXPECT_STREQ(standard[setup::kProcessorFile], "0");
    EXPECT_STREQ(standard[setup::kRenderPluginFile], "0");
    // ControlFontFile has one key for both flavours.
    EXPECT_STREQ(standard[setup::kControlFontFile], "ABFONT.TBL");
}

TEST(DriverFileKey, NamesEachSlotsKey) {
    EXPECT_EQ(setup::DriverFileKey(setup::kDriverPathFile, Flavour::Raster), "GDIDriverPath");
    EXPECT_EQ(setup::DriverFileKey(setup::kProcessorFile, Flavour::Standard),
              "STDProcessorDLLName");
    EXPECT_EQ(setup::DriverFileKey(setup::kUiPluginFile, Flavour::Raster), "GDIDataOemuiDLL");
    EXPECT_EQ(setup::DriverFileKey(setup::kRenderPluginFile, Flavour::Raster), "GDIDataOemuniDLL");
    EXPECT_EQ(setup::DriverFileKey(setup::kPluginIniFile, Flavour::Standard), "STDDataOemuniini");
    EXPECT_EQ(setup::DriverFileKey(setup::kUsbInternalIdFile, Flavour::Standard), "USBInternalID");
}

TEST_F(DriverFiles, MinidriverFlagNeedsALeadingOne) {
    Load("odd");
    config().SelectSeries(setup::kReceipt);
    EXPECT_TRUE(config().MinidriverFlag("AB-100", 3, Flavour::Raster));
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 3, Flavour::Standard));  // "0"
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 6, Flavour::Raster));    // "2"
    EXPECT_FALSE(config().MinidriverFlag("AB-100", 7, Flavour::Standard));  // missing
}

using PortSettings = ConfigTest;

TEST_F(PortSettings, KeysAreFoundInAnyLetterCaseAndMissingOnesAreZero) {
    Load("odd");
    config().SelectSeries(setup::kReceipt);
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
