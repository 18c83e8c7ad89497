// Spooler registration on simulated machines: taken printer names, failing spooler calls with
// Windows' own messages, and the default printer on each Windows generation.
#include <gtest/gtest.h>

#include "platform/sim/api/default_printer.h"
#include "platform/win_constants.h"
#include "tests/setup/engine/engine_presets.h"

namespace {

using namespace enginetest;

Choice On(const std::string& port) {
    Choice c;
    c.port = port;
    return c;
}

// Serial and parallel installs take the next free "(n)"; every printer is on the same port.
TEST(PrinterNameConflict, SecondAndThirdInstallTakeNumberedNames) {
    struct Case {
        const char* preset;
        const char* port;
        const char* name;
    };
    const Case cases[] = {
        {"xp-x86", "LPT1:", "VTX-58R(P)"},
        {"windows-7-x64", "LPT1:", "VTX-58R(P)"},
        {"windows-7-x86", "ZKCOM1:", "VTX-58R(S)"},
        {"server-2008-x64", "COM2:", "VTX-58R(S)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.port);
        auto e = SimEngine::Make(Preset(c.preset));
        ASSERT_TRUE(e);
        const std::string name = c.name;
        const std::string expected[] = {name, name + "(1)", name + "(2)"};
        for (const std::string& want : expected) {
            const Outcome out = e->Install(On(c.port));
            ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
            EXPECT_EQ(out.printerName, want);
            const auto printer = e->provider().FindPrinter(want);
            ASSERT_TRUE(printer) << want;
            EXPECT_EQ(printer->port, c.port);
        }
        EXPECT_EQ(e->provider().Printers().size(), 3u);
    }
}

// The numbered names run to "(98)": with the plain name and 97 numbered ones taken the last
// one is free; with 98 numbered ones taken there is none.
TEST(PrinterNameConflict, NinetyEightTakenNumberedNamesAreTooMany) {
    struct Case {
        std::uint32_t taken;  // names AddPrinterA refuses as existing, the plain one first
        std::uint32_t status;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {98, setup::kInstallSucceeded, "VTX-58R(P)(98)", kInstalledText},
        {99, setup::kInstallFailed, "", kTooManyText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taken);
        auto e = SimEngine::Make(Preset("windows-7-x86"));
        ASSERT_TRUE(e);
        e->Fail("AddPrinterA", ERROR_PRINTER_ALREADY_EXISTS, c.taken);
        const Outcome out = e->Install(On("LPT1:"));
        EXPECT_EQ(out.status, c.status);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.printerName, c.name);
        EXPECT_EQ(e->provider().Printers().size(), c.status == setup::kInstallSucceeded ? 1u : 0u);
    }
}

// A USB port's printer keeps its name: the second install on the same port is refused.
TEST(PrinterNameConflict, SecondUsbInstallOnThePortIsTooMany) {
    for (const char* preset : {"xp-x86", "windows-7-x64"}) {
        SCOPED_TRACE(preset);
        auto e = SimEngine::Make(Preset(preset));
        ASSERT_TRUE(e);
        ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_1", 1));
        ASSERT_EQ(e->Install(On("USB_VTX-58R_1")).status, setup::kInstallSucceeded);
        const Outcome second = e->Install(On("USB_VTX-58R_1"));
        EXPECT_EQ(second.status, setup::kInstallFailed);
        EXPECT_EQ(second.text, kTooManyText);
        EXPECT_EQ(second.printerName, "");
        EXPECT_FALSE(e->provider().FindPrinter("VTX-58R(U) 1(1)"));
        EXPECT_EQ(e->provider().Printers().size(), 1u);
        // Another USB port of the model is free.
        ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_2", 2));
        const Outcome other = e->Install(On("USB_VTX-58R_2"));
        EXPECT_EQ(other.status, setup::kInstallSucceeded) << other.text;
        EXPECT_EQ(other.printerName, "VTX-58R(U) 2");
    }
}

// Spooler calls failing through the machine's fault list: the language file's text, a line
// feed and Windows' message for the error.
TEST(RegistrationFaults, FailuresShowTheLanguageTextAndWindowsMessage) {
    struct Case {
        const char* preset;
        const char* call;
        std::uint32_t error;
        const char* port;
        std::string text;
    };
    const Case cases[] = {
        {"xp-x86", "AddPrinterDriverA", ERROR_ACCESS_DENIED, "LPT1:",
         std::string(kAddDriverText) + "\nAccess is denied."},
        {"windows-7-x64", "AddPrinterDriverA", ERROR_ACCESS_DENIED, "LPT1:",
         std::string(kAddDriverText) + "\nAccess is denied."},
        {"windows-7-x86", "AddMonitorA", ERROR_INVALID_PARAMETER, "USB_VTX-58R_1",
         std::string(kAddMonitorText) + "\nThe parameter is incorrect."},
        {"vista-x64", "AddMonitorA", ERROR_ACCESS_DENIED, "USB_VTX-58R_1",
         std::string(kAddMonitorText) + "\nAccess is denied."},
        {"xp-x86", "AddPrinterA", ERROR_UNKNOWN_PORT, "LPT1:",
         std::string(kAddPrinterText) + "\nThe specified port is unknown."},
        {"windows-7-x86", "AddPrinterA", ERROR_UNKNOWN_PORT, "COM1:",
         std::string(kAddPrinterText) + "\nThe specified port is unknown."},
        // The port list refused twice (also the retry with the size asked for).
        {"server-2003-x86", "EnumPortsA", ERROR_NOT_ENOUGH_MEMORY, "USB_VTX-58R_1",
         std::string(kAllocMemoryText) + "\nNot enough storage is available to process this "
                                         "command."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.call + " " + std::to_string(c.error));
        auto e = SimEngine::Make(Preset(c.preset));
        ASSERT_TRUE(e);
        if (std::string(c.port).rfind("USB_", 0) == 0) {
            ASSERT_TRUE(e->RecordUsbPort(c.port, 1));
        }
        e->Fail(c.call, c.error);
        const Outcome out = e->Install(On(c.port));
        EXPECT_EQ(out.status, setup::kInstallFailed);
        EXPECT_EQ(out.text, c.text);
        EXPECT_EQ(out.printerName, "");
        EXPECT_TRUE(e->provider().Printers().empty());
    }
}

// A port list longer than the first 1000-byte buffer: the spooler says how much it needs and
// the retry with that size lets the installation through.
TEST(RegistrationFaults, LongPortListIsReadOnTheSecondTry) {
    auto e = SimEngine::Make(Preset("windows-7-x86"));
    ASSERT_TRUE(e);
    // The first install registers the USB monitor, which then offers every recorded port.
    ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_1", 1));
    ASSERT_EQ(e->Install(On("USB_VTX-58R_1")).status, setup::kInstallSucceeded);
    ASSERT_TRUE(e->RecordUsbPort("USB_VTX-58R_2", 2));
    // 60 more ports of 28 characters: about 1,700 bytes of names alone.
    for (int i = 0; i < 60; ++i)
        ASSERT_TRUE(e->RecordUsbPort("USB_SOME-OTHER-PRINTER_" + std::to_string(1000 + i), 1));
    {
        auto tool = e->packageMachine().Process(32, "C:\\Tools\\tool.exe", "C:\\Tools");
        std::vector<std::uint8_t> buffer(1000);
        std::uint32_t needed = 0, returned = 0;
        ASSERT_FALSE(tool->printerSetup().EnumPortsA(1, buffer.data(), 1000, needed, returned));
        ASSERT_EQ(tool->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
        ASSERT_GT(needed, 1000u);
    }
    const Outcome out = e->Install(On("USB_VTX-58R_2"));
    EXPECT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledUsbText);
    EXPECT_EQ(out.printerName, "VTX-58R(U) 2");
}

// AddPrinterA refusing the first name as taken and then failing otherwise: the numbered try's
// error is the one shown, and no printer is left.
TEST(RegistrationFaults, NumberedRetryFailingShowsItsOwnError) {
    auto e = SimEngine::Make(Preset("windows-7-x86"));
    ASSERT_TRUE(e);
    e->Fail("AddPrinterA", ERROR_PRINTER_ALREADY_EXISTS, 1);
    e->Fail("AddPrinterA", ERROR_ACCESS_DENIED, 1);
    const Outcome out = e->Install(On("LPT1:"));
    EXPECT_EQ(out.status, setup::kInstallFailed);
    EXPECT_EQ(out.text, std::string(kAddPrinterText) + "\nAccess is denied.");
    EXPECT_TRUE(e->provider().Printers().empty());
    // With the faults used up the next install takes the plain name.
    const Outcome again = e->Install(On("LPT1:"));
    EXPECT_EQ(again.status, setup::kInstallSucceeded) << again.text;
    EXPECT_EQ(again.printerName, "VTX-58R(P)");
}

// Windows 2000 and later: SetDefaultPrinterA, which names the printer in win.ini's device line.
TEST(DefaultPrinter, NewPrinterBecomesTheDefaultWhenAsked) {
    for (const char* preset : {"windows-2000-x86", "xp-x86", "server-2003-x64", "windows-7-x64"}) {
        SCOPED_TRACE(preset);
        auto e = SimEngine::Make(Preset(preset));
        ASSERT_TRUE(e);
        Choice plain = On("LPT1:");
        ASSERT_EQ(e->Install(plain).status, setup::kInstallSucceeded);
        EXPECT_NE(sim::DefaultPrinterName(e->machine()), "VTX-58R(P)");
        Choice asDefault = On("LPT1:");
        asDefault.setAsDefault = true;
        const Outcome out = e->Install(asDefault);
        ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
        EXPECT_EQ(sim::DefaultPrinterName(e->machine()), "VTX-58R(P)(1)");
        const std::string winIni = e->FileOn(e->machine().settings().windowsDir + "\\win.ini");
        EXPECT_NE(winIni.find("VTX-58R(P)(1),winspool,LPT1:"), std::string::npos) << winIni;
    }
}

// A failing SetDefaultPrinterA is silent: the installation still succeeds.
TEST(DefaultPrinter, FailureToSetItIsIgnored) {
    auto e = SimEngine::Make(Preset("windows-7-x86"));
    ASSERT_TRUE(e);
    e->Fail("SetDefaultPrinterA", ERROR_ACCESS_DENIED);
    Choice asDefault = On("LPT1:");
    asDefault.setAsDefault = true;
    const Outcome out = e->Install(asDefault);
    EXPECT_EQ(out.status, setup::kInstallSucceeded) << out.text;
    EXPECT_EQ(out.text, kInstalledText);
    EXPECT_NE(sim::DefaultPrinterName(e->machine()), "VTX-58R(P)");
}

}  // namespace

namespace {

// Before Windows 2000 there is no SetDefaultPrinterA: Windows 9x marks the printer's
// attributes, NT 4.0 gets win.ini's device line written with the printer's driver and port.
TEST(DefaultPrinter, OlderWindowsGenerations) {
    struct Case {
        PresetCase preset;
        const char* resultText;
        const char* deviceLine;
        std::uint32_t driverVersion;
    };
    const Case cases[] = {
        {{"windows-98", 0, false, "Windows 4.0", "win40"}, "",
         "VTX-58R(P),winspool,LPT1:", 0},
        {{"nt4-x86", 1, false, "Windows NT x86", "w32x86"}, kInstalledText,
         "VTX-58R(P),VTX-58R,LPT1:", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preset.preset);
        auto e = SimEngine::Make(c.preset);
        ASSERT_TRUE(e);
        Choice asDefault = On("LPT1:");
        asDefault.setAsDefault = true;
        const Outcome out = e->Install(asDefault);
        ASSERT_EQ(out.status, setup::kInstallSucceeded) << out.text;
        EXPECT_EQ(out.text, c.resultText);
        EXPECT_EQ(out.printerName, "VTX-58R(P)");
        EXPECT_EQ(sim::DefaultPrinterName(e->machine()), "VTX-58R(P)");
        const std::string winIni = e->FileOn(e->machine().settings().windowsDir + "\\win.ini");
        EXPECT_NE(winIni.find(std::string("device=") + c.deviceLine), std::string::npos) << winIni;
        bool found = false;
        for (const auto& d : e->provider().Drivers())
            if (d.name == "VTX-58R" && d.environment == c.preset.environment) {
                found = true;
                EXPECT_EQ(d.version, c.driverVersion);
            }
        EXPECT_TRUE(found) << "no driver in " << c.preset.environment;
    }
}

}  // namespace
