// Serial line settings and the USB port monitor's records: the settings text, the Windows 98/Me
// DCB record worked out by hand, and where each write lands on simulated machines of each
// Windows generation and word size.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/comm_records.h"
#include "platform/win_constants.h"
#include "setup/engine/SerialSettings.h"
#include "setup/engine/UsbPortRecords.h"
#include "tests/support/package_machine.h"

namespace {

using setup::SerialSettings;

constexpr const char* kNtPorts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

SerialSettings Line(int baud, char parity, int bits, double stop, char protocol) {
    SerialSettings s;
    s.baudRate = baud;
    s.parity = parity;
    s.byteSize = bits;
    s.stopBits = stop;
    s.protocol = protocol;
    return s;
}

TEST(SerialSettingsText, OneDecimalOnlyForOneAndAHalfStopBits) {
    struct Case {
        SerialSettings settings;
        const char* text;
    };
    const Case cases[] = {
        {Line(9600, 'n', 8, 1.0, 'p'), "9600,n,8,1,p"},
        {Line(19200, 'e', 7, 1.5, 'x'), "19200,e,7,1.5,x"},
        {Line(9600, 'n', 8, 1.5, 'p'), "9600,n,8,1.5,p"},
        {Line(9600, 'n', 8, 2.0, 'p'), "9600,n,8,2,p"},
        // No protocol: the text ends in a comma and one blank.
        {Line(115200, 'o', 5, 1.0, ' '), "115200,o,5,1, "},
    };
    for (const Case& c : cases) EXPECT_EQ(setup::SerialSettingsText(c.settings), c.text);
}

TEST(SystemComPortName, IsThePortNameFromComOn) {
    EXPECT_EQ(setup::SystemComPortName("ZKCOM5:"), "COM5:");
    EXPECT_EQ(setup::SystemComPortName("COM2:"), "COM2:");
    EXPECT_EQ(setup::SystemComPortName("LPT1:"), "");
}

// Both records worked out from the Win32 DCB layout: length, baud, the flag word, three
// reserved/limit words, byte size, parity, stop bits, Xon, Xoff, three more characters, a word.
TEST(MakeDcb, BytesOfHardwareAndXonXoffLines) {
    const std::array<std::uint8_t, 28> hardware = {
        0x1C, 0, 0, 0,  0x80, 0x25, 0, 0,  // 28, 9600
        0x05, 0x10, 0, 0,                  // fBinary | fOutxCtsFlow | fRtsControl ENABLE
        0, 0, 0, 0, 0, 0,                  // wReserved, XonLim, XoffLim
        8, NOPARITY, ONESTOPBIT, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(plat::DcbBytes(setup::MakeDcb(Line(9600, 'n', 8, 1.0, 'p'))), hardware);

    const std::array<std::uint8_t, 28> xonXoff = {
        0x1C, 0, 0, 0,  0x00, 0x4B, 0, 0,  // 28, 19200
        0x03, 0x07, 0, 0,                  // fBinary | fParity | fOutX | fInX | fErrorChar
        0, 0, 0, 0, 0, 0,
        7, EVENPARITY, ONE5STOPBITS, 0x11, 0x13, 0, 0, 0, 0, 0};
    EXPECT_EQ(plat::DcbBytes(setup::MakeDcb(Line(19200, 'e', 7, 1.5, 'x'))), xonXoff);

    // No protocol and no parity leave only fBinary; two stop bits; mark parity.
    const plat::DCB none = setup::MakeDcb(Line(110, 'm', 5, 2.0, ' '));
    EXPECT_EQ(none.flags, plat::kDcbBinary | plat::kDcbParity | plat::kDcbErrorChar);
    EXPECT_EQ(none.Parity, MARKPARITY);
    EXPECT_EQ(none.StopBits, TWOSTOPBITS);
    EXPECT_EQ(none.XonChar, 0);
    EXPECT_EQ(setup::MakeDcb(Line(110, 's', 5, 1.0, ' ')).Parity, SPACEPARITY);
    EXPECT_EQ(setup::MakeDcb(Line(110, 'o', 5, 1.0, ' ')).Parity, ODDPARITY);
}

class OnMachine : public ::testing::Test {
protected:
    bool Make(const char* preset) {
        testsupport::PackageMachineOptions options;
        options.preset = preset;
        std::string error;
        machine_ = testsupport::PackageMachine::Create(testsupport::ExamplePackage(), options, error);
        EXPECT_TRUE(machine_) << error;
        return machine_ != nullptr;
    }
    plat::Platform& platform() { return machine_->platform(); }
    plat::Registry& registry() { return machine_->platform().registry(); }

    // The value's bytes, or "missing".
    std::vector<std::uint8_t> Value(const char* key, const char* name, plat::RegView view,
                                    std::uint32_t* type = nullptr) {
        std::uint32_t t = 0;
        std::vector<std::uint8_t> data;
        if (registry().QueryValue(plat::RegRoot::LocalMachine, key, name, t, data, view) !=
            ERROR_SUCCESS)
            return {};
        if (type) *type = t;
        return data;
    }
    static std::vector<std::uint8_t> Text(const std::string& s) {
        std::vector<std::uint8_t> v(s.begin(), s.end());
        v.push_back(0);
        return v;
    }
    static std::vector<std::uint8_t> Dword(std::uint32_t d) {
        return {static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(d >> 8),
                static_cast<std::uint8_t>(d >> 16), static_cast<std::uint8_t>(d >> 24)};
    }

    std::unique_ptr<testsupport::PackageMachine> machine_;
};

using SerialOnMachine = OnMachine;

// 32-bit XP: the package's "ZKCOM5:" is the system's COM5:.
TEST_F(SerialOnMachine, NtWritesTheSystemPortNameIntoPorts) {
    ASSERT_TRUE(Make("xp-x86"));
    setup::WriteSerialSettings(platform(), false, "ZKCOM5:", Line(9600, 'n', 8, 1.0, 'p'));
    std::uint32_t type = 0;
    EXPECT_EQ(Value(kNtPorts, "COM5:", plat::RegView::Default, &type), Text("9600,n,8,1,p"));
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_SZ));
    EXPECT_TRUE(Value(kNtPorts, "ZKCOM5:", plat::RegView::Default).empty());
}

// 64-bit Windows: the 32-bit setup writes into the 64-bit view, where the system reads.
TEST_F(SerialOnMachine, SixtyFourBitWindowsGetsTheSixtyFourBitView) {
    ASSERT_TRUE(Make("windows-7-x64"));
    setup::WriteSerialSettings(platform(), true, "COM2:", Line(19200, 'e', 7, 1.5, 'x'));
    EXPECT_EQ(Value(kNtPorts, "COM2:", plat::RegView::View64), Text("19200,e,7,1.5,x"));
    EXPECT_TRUE(Value(kNtPorts, "COM2:", plat::RegView::View32).empty());
}

// Windows 98: the n-th class key whose PortSubClass is 1 gets the DCB; win.ini gets the text.
TEST_F(SerialOnMachine, Windows98WritesDcbIntoTheNthSerialClassKeyAndWinIni) {
    const char* keys[] = {"System\\CurrentControlSet\\Services\\Class\\Ports\\0000",
                          "System\\CurrentControlSet\\Services\\Class\\Ports\\0001",
                          "System\\CurrentControlSet\\Services\\Class\\Ports\\0002",
                          "System\\CurrentControlSet\\Services\\Class\\Ports\\0003"};
    // 0000 is a parallel port (subclass 0), 0003 has no subclass: the serial ports are 0001, 0002.
    const int subclass[] = {0, 1, 1, -1};
    struct Case {
        int port;
        int keyWithDcb;  // -1: none
    } cases[] = {{1, 1}, {2, 2}, {3, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        ASSERT_TRUE(Make("windows-98"));
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(registry().CreateKey(plat::RegRoot::LocalMachine, keys[i], plat::RegView::Default), ERROR_SUCCESS);
            if (subclass[i] >= 0)
                registry().SetValue(plat::RegRoot::LocalMachine, keys[i], "PortSubClass", REG_BINARY,
                                    {static_cast<std::uint8_t>(subclass[i])}, plat::RegView::Default);
        }
        const std::string name = "COM" + std::to_string(c.port) + ":";
        const SerialSettings line = Line(9600, 'n', 8, 2.0, 'p');
        setup::WriteSerialSettings98(platform(), c.port, name, line);
        const auto dcb = plat::DcbBytes(setup::MakeDcb(line));
        for (int i = 0; i < 4; ++i) {
            std::uint32_t type = 99;
            const auto got = Value(keys[i], "DCB", plat::RegView::Default, &type);
            if (i == c.keyWithDcb) {
                EXPECT_EQ(got, std::vector<std::uint8_t>(dcb.begin(), dcb.end())) << i;
                EXPECT_EQ(type, static_cast<std::uint32_t>(REG_NONE));
            } else {
                EXPECT_TRUE(got.empty()) << i;
            }
        }
        char text[64] = {};
        platform().profile().GetProfileStringA("Ports", name.c_str(), "", text, sizeof text);
        EXPECT_STREQ(text, "9600,n,8,2,p");
    }
}

using UsbRecordsOnMachine = OnMachine;

// x64: both keys in the 64-bit view; the model number from setup.ini, D1 to D8 zero.
TEST_F(UsbRecordsOnMachine, SixtyFourBitWindowsKeepsTheRecordsInTheSixtyFourBitView) {
    ASSERT_TRUE(Make("windows-7-x64"));
    setup::UsbPortRecordsContext context{platform(), true, "DRVCONFIG\\setup.ini", 0, "Setup"};
    setup::WriteUsbPortRecords(context, "USB_VTX-58R_3");
    EXPECT_EQ(Value(setup::kUsbPortNameKey, "USB_VTX-58R_3", plat::RegView::View64), Dword(3));
    for (int i = 1; i <= 8; ++i) {
        const std::string slot = "D" + std::to_string(i);
        EXPECT_EQ(Value(setup::kPrinterPortKey, slot.c_str(), plat::RegView::View64), Dword(0)) << slot;
    }
    EXPECT_TRUE(Value(setup::kPrinterPortKey, "D9", plat::RegView::View64).empty());
    EXPECT_TRUE(Value(setup::kUsbPortNameKey, "USB_VTX-58R_3", plat::RegView::View32).empty());

    setup::WriteChosenUsbPortRecord(context, "USB_VTX-58R_3");
    EXPECT_EQ(Value(setup::kPrinterPortKey, "USB_VTX-58R_3", plat::RegView::View64), Dword(0));
}

// A port name setup.ini does not list reads as model 0; the chosen-port record never creates
// its key.
TEST_F(UsbRecordsOnMachine, UnlistedPortIsZeroAndTheChosenPortNeedsTheKey) {
    ASSERT_TRUE(Make("xp-x86"));
    setup::UsbPortRecordsContext context{platform(), false, "DRVCONFIG\\setup.ini", 0, "Setup"};
    setup::WriteChosenUsbPortRecord(context, "USB_VTX-58R_1");
    EXPECT_NE(registry().OpenKey(plat::RegRoot::LocalMachine, setup::kPrinterPortKey, plat::RegView::Default),
              ERROR_SUCCESS);
    setup::WriteUsbPortRecords(context, "USB_NOSUCH_1");
    EXPECT_EQ(Value(setup::kUsbPortNameKey, "USB_NOSUCH_1", plat::RegView::Default), Dword(0));
    EXPECT_EQ(Value(setup::kPrinterPortKey, "D8", plat::RegView::Default), Dword(0));
}

}  // namespace
