// The attached USB printers on disk: attach order, persistence, the ID command and the switches.
#include <gtest/gtest.h>

#include "platform/sim/state/usb_printers.h"
#include "tests/support/temp_machine.h"

namespace {

sim::UsbPrinter WithId(int id) {
    sim::UsbPrinter p;
    p.internalId = id;
    return p;
}

TEST(UsbPrinters, KeptInAttachOrderAcrossOpens) {
    testsupport::TempMachine temp;
    std::string error;
    sim::UsbPrinter second = WithId(9);
    second.vendorId = 0x1234;
    second.productId = 0xABCD;
    ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(3), error)) << error;
    ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), second, error)) << error;
    auto reopened = sim::Machine::Open(temp.machine().dir(), error);
    ASSERT_TRUE(reopened) << error;
    const auto printers = sim::ReadUsbPrinters(*reopened);
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0].internalId, 3);
    EXPECT_EQ(printers[1].internalId, 9);
    EXPECT_EQ(printers[1].vendorId, 0x1234);
    EXPECT_EQ(printers[1].productId, 0xABCD);
    EXPECT_NE(printers[0].slot, printers[1].slot);
}

TEST(UsbPrinters, AtMostEight) {
    testsupport::TempMachine temp;
    std::string error;
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(i), error));
    EXPECT_FALSE(sim::AttachUsbPrinter(temp.machine(), WithId(8), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(sim::ReadUsbPrinters(temp.machine()).size(), 8u);
}

TEST(UsbPrinters, DetachByIdOrAll) {
    testsupport::TempMachine temp;
    std::string error;
    for (int id : {1, 2, 1}) ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(id), error));
    EXPECT_EQ(sim::DetachUsbPrinters(temp.machine(), 1), 2);
    ASSERT_EQ(sim::ReadUsbPrinters(temp.machine()).size(), 1u);
    EXPECT_EQ(sim::ReadUsbPrinters(temp.machine())[0].internalId, 2);
    EXPECT_EQ(sim::DetachUsbPrinters(temp.machine(), 7), 0);
    EXPECT_EQ(sim::DetachUsbPrinters(temp.machine(), std::nullopt), 1);
    EXPECT_TRUE(sim::ReadUsbPrinters(temp.machine()).empty());
}

TEST(UsbPrinters, WritesAppendAndTheIdCommandRenumbers) {
    testsupport::TempMachine temp;
    std::string error;
    ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(6), error));
    const int slot = sim::ReadUsbPrinters(temp.machine())[0].slot;
    const std::uint8_t text[] = {'h', 'i', 0x0A};
    ASSERT_TRUE(sim::WriteToUsbPrinter(temp.machine(), slot, text, 3));
    EXPECT_EQ(sim::ReadUsbPrinters(temp.machine())[0].internalId, 6);
    const std::uint8_t command[] = {0x1B, 0x23, 0x23, 0x53, 0x45, 0x54, 0x1D, 0x49, 0x20, 0x03};
    ASSERT_TRUE(sim::WriteToUsbPrinter(temp.machine(), slot, command, 10));
    const auto p = sim::ReadUsbPrinters(temp.machine())[0];
    EXPECT_EQ(p.internalId, 3);
    EXPECT_EQ(p.received, std::string("hi\n") + std::string(reinterpret_cast<const char*>(command), 10));
    // Another slot is no printer.
    EXPECT_FALSE(sim::WriteToUsbPrinter(temp.machine(), slot + 1, text, 3));
}

TEST(UsbPrinters, IdCommandNeedsTheWholeAccessSequence) {
    EXPECT_EQ(sim::IdSetByBytes(std::string("\x1B##SET\x1DI \x05", 10)), 5);
    EXPECT_EQ(sim::IdSetByBytes(std::string("\x1B##SET\x1DI ", 9)), std::nullopt);
    EXPECT_EQ(sim::IdSetByBytes(std::string("\x1B##SEX\x1DI \x05", 10)), std::nullopt);
    EXPECT_EQ(sim::IdSetByBytes(std::string("\x1D" "I \x05", 4)), std::nullopt);
    // The last complete command counts.
    EXPECT_EQ(sim::IdSetByBytes(std::string("\x1B##SET\x1DI \x01xx\x1B##SET\x1DI \x02", 22)), 2);
}

TEST(UsbPrinters, FailingWritesKeepNothing) {
    testsupport::TempMachine temp;
    std::string error;
    ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(1), error));
    EXPECT_EQ(sim::SetUsbPrinterFaults(temp.machine(), 1, false, true), 1);
    EXPECT_EQ(sim::SetUsbPrinterFaults(temp.machine(), 5, false, true), 0);
    const auto p = sim::ReadUsbPrinters(temp.machine())[0];
    EXPECT_FALSE(p.answering);
    EXPECT_TRUE(p.writeFails);
    const std::uint8_t command[] = {0x1B, 0x23, 0x23, 0x53, 0x45, 0x54, 0x1D, 0x49, 0x20, 0x03};
    EXPECT_FALSE(sim::WriteToUsbPrinter(temp.machine(), p.slot, command, 10));
    EXPECT_EQ(sim::ReadUsbPrinters(temp.machine())[0].internalId, 1);
    EXPECT_TRUE(sim::ReadUsbPrinters(temp.machine())[0].received.empty());
}

}  // namespace

namespace {

TEST(UsbPrinters, PortNumbersOfNamesAndPrinters) {
    EXPECT_EQ(sim::UsbPortNumberOfName("USB_VTX-80R_1"), 1);
    EXPECT_EQ(sim::UsbPortNumberOfName("USB_VTX-80R_4"), 4);
    EXPECT_EQ(sim::UsbPortNumberOfName("USB_VTX-80R_5"), 0);  // only 1 to 4 have USB ports
    EXPECT_EQ(sim::UsbPortNumberOfName("USB001"), 0);
    EXPECT_EQ(sim::UsbPortNumberOfName("COM1_1"), 0);
    // The library reports 8 for a printer that keeps 0: both answer to port 1; 9 to port 2.
    EXPECT_EQ(sim::UsbPortNumberOf(WithId(0)), 1);
    EXPECT_EQ(sim::UsbPortNumberOf(WithId(7)), 8);
    EXPECT_EQ(sim::UsbPortNumberOf(WithId(9)), 2);
}

TEST(UsbPrinters, AJobReachesThePrinterOfItsPortNumberOnly) {
    testsupport::TempMachine temp;
    std::string error;
    ASSERT_TRUE(sim::AttachUsbPrinter(temp.machine(), WithId(1), error));  // port 2
    const std::uint8_t job[] = {'o', 'k', 0x0A};
    EXPECT_FALSE(sim::DeliverJobToUsbPrinter(temp.machine(), "USB_VTX-80R_1", job, 3));
    EXPECT_TRUE(sim::ReadUsbPrinters(temp.machine())[0].received.empty());
    EXPECT_TRUE(sim::DeliverJobToUsbPrinter(temp.machine(), "USB_VTX-80R_2", job, 3));
    EXPECT_EQ(sim::ReadUsbPrinters(temp.machine())[0].received, "ok\n");
    // An ID command inside a job renumbers the printer, which then answers to port 3.
    const std::uint8_t renumber[] = {0x1B, 0x23, 0x23, 0x53, 0x45, 0x54, 0x1D, 0x49, 0x20, 0x02};
    EXPECT_TRUE(sim::DeliverJobToUsbPrinter(temp.machine(), "USB_VTX-80R_2", renumber, 10));
    EXPECT_FALSE(sim::DeliverJobToUsbPrinter(temp.machine(), "USB_VTX-80R_2", job, 3));
    EXPECT_TRUE(sim::DeliverJobToUsbPrinter(temp.machine(), "USB_VTX-80R_3", job, 3));
}

}  // namespace
