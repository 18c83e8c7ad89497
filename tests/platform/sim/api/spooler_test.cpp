// Raw print jobs on the simulated machine: printers by name, jobs recorded byte for byte with
// what they were, call order enforced, and injected failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using sim::SimJob;

struct SimSpoolerTest : testing::Test {
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Receipt (U) 1", "USB_RECEIPT_1", error))
            << error;
        process = machine.Process();
        ASSERT_TRUE(process);
    }
    plat::RawPrinting& spooler() { return process->rawPrinting(); }
    std::uint32_t LastError() { return process->lastError().GetLastError(); }

    plat::PrinterHandle Open(const std::u16string& name = u"Receipt (U) 1") {
        plat::PrinterHandle handle = 0;
        EXPECT_TRUE(spooler().OpenPrinterW(name, handle));
        return handle;
    }

    testsupport::TempMachine machine;
    std::unique_ptr<sim::SimPlatform> process;
};

TEST_F(SimSpoolerTest, RecordsARawJobByteForByte) {
    const plat::PrinterHandle printer = Open(u"RECEIPT (u) 1");  // letter case aside
    ASSERT_NE(printer, 0u);
    const std::uint32_t id =
        spooler().StartDocPrinterW(printer, {u"Self test \u00E9", u"", u"RAW"});
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(spooler().StartPagePrinter(printer));
    const std::vector<std::uint8_t> first = {0x1B, 0x40, 0x00, 0xFF, 0x0A};
    const std::vector<std::uint8_t> second = {0x1D, 0x56, 0x42, 0x00};
    std::uint32_t written = 0;
    ASSERT_TRUE(spooler().WritePrinter(printer, first.data(), 5, written));
    EXPECT_EQ(written, 5u);
    ASSERT_TRUE(spooler().WritePrinter(printer, second.data(), 4, written));
    ASSERT_TRUE(spooler().EndPagePrinter(printer));
    ASSERT_TRUE(spooler().EndDocPrinter(printer));
    ASSERT_TRUE(spooler().ClosePrinter(printer));

    std::vector<std::uint8_t> data;
    ASSERT_TRUE(sim::ReadSimJobData(machine.machine(), id, data));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0x1B, 0x40, 0x00, 0xFF, 0x0A, 0x1D, 0x56, 0x42,
                                               0x00}));
    auto job = sim::PrintProvider(machine.machine()).Job(id);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->printer, "Receipt (U) 1");
    EXPECT_EQ(job->document, "Self test \xC3\xA9");
    EXPECT_EQ(job->dataType, "RAW");
    EXPECT_EQ(job->port, "USB_RECEIPT_1");
    EXPECT_EQ(job->pages, 1u);
    EXPECT_TRUE(job->completed);
}

TEST_F(SimSpoolerTest, JobsOfTwoProcessesAreNumberedOnTheMachine) {
    auto other = machine.Process();
    plat::PrinterHandle a = Open(), b = 0;
    ASSERT_TRUE(other->rawPrinting().OpenPrinterW(u"Receipt (U) 1", b));
    const std::uint32_t first = spooler().StartDocPrinterW(a, {u"one", u"", u"RAW"});
    const std::uint32_t second = other->rawPrinting().StartDocPrinterW(b, {u"two", u"", u"RAW"});
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 2u);
    // A job the program never ended stays on record as not completed.
    ASSERT_TRUE(spooler().ClosePrinter(a));
    ASSERT_TRUE(other->rawPrinting().EndDocPrinter(b));
    auto jobs = sim::ListSimJobs(machine.machine());
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_FALSE(jobs[0].completed);
    EXPECT_EQ(jobs[1].document, "two");
    EXPECT_TRUE(jobs[1].completed);
}

TEST_F(SimSpoolerTest, UnknownPrinterOrHandleFails) {
    plat::PrinterHandle handle = 77;
    EXPECT_FALSE(spooler().OpenPrinterW(u"Nobody", handle));
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(spooler().StartDocPrinterW(12345, {u"x", u"", u"RAW"}), 0u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(spooler().ClosePrinter(12345));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    // A closed handle is no handle.
    const plat::PrinterHandle printer = Open();
    ASSERT_TRUE(spooler().ClosePrinter(printer));
    EXPECT_FALSE(spooler().ClosePrinter(printer));
}

TEST_F(SimSpoolerTest, PageAndWriteCallsNeedAnOpenJob) {
    const plat::PrinterHandle printer = Open();
    std::uint32_t written = 9;
    const std::uint8_t byte = 0x0A;
    EXPECT_FALSE(spooler().StartPagePrinter(printer));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SPL_NO_STARTDOC));
    EXPECT_FALSE(spooler().WritePrinter(printer, &byte, 1, written));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SPL_NO_STARTDOC));
    EXPECT_FALSE(spooler().EndPagePrinter(printer));
    EXPECT_FALSE(spooler().EndDocPrinter(printer));
    EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_SPL_NO_STARTDOC));
    EXPECT_TRUE(sim::ListSimJobs(machine.machine()).empty());
}

TEST_F(SimSpoolerTest, InjectedFaultFailsTheNamedCallTheGivenNumberOfTimes) {
    std::string error;
    ASSERT_TRUE(sim::AddSpoolerFault(machine.machine(), {"WritePrinter", 1167, 2}, error));
    const plat::PrinterHandle printer = Open();
    const std::uint32_t id = spooler().StartDocPrinterW(printer, {u"x", u"", u"RAW"});
    ASSERT_NE(id, 0u);
    const std::uint8_t bytes[] = {1, 2, 3};
    std::uint32_t written = 0;
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(spooler().WritePrinter(printer, bytes, 3, written));
        EXPECT_EQ(LastError(), 1167u);
    }
    EXPECT_TRUE(spooler().WritePrinter(printer, bytes, 3, written));
    std::vector<std::uint8_t> data;
    ASSERT_TRUE(sim::ReadSimJobData(machine.machine(), id, data));
    EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 2, 3}));  // the failed writes left nothing
    std::vector<sim::CallFault> left;
    ASSERT_TRUE(sim::ReadFaults(machine.machine(), left, error));
    EXPECT_TRUE(left.empty());
}

TEST_F(SimSpoolerTest, UncountedFaultFailsEveryCallUntilCleared) {
    std::string error;
    ASSERT_TRUE(sim::AddSpoolerFault(machine.machine(), {"OpenPrinterW", 5, 0}, error));
    plat::PrinterHandle handle = 0;
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(spooler().OpenPrinterW(u"Receipt (U) 1", handle));
        EXPECT_EQ(LastError(), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    }
    ASSERT_TRUE(sim::ClearFaults(machine.machine(), error));
    EXPECT_TRUE(spooler().OpenPrinterW(u"Receipt (U) 1", handle));
}

TEST_F(SimSpoolerTest, AFaultWithAPrinterFailsThatPrinterOnly) {
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Label (S) 1", "COM1:", error)) << error;
    // The printer is named as the program opens it; the handle calls know it from the handle.
    ASSERT_TRUE(sim::AddFault(machine.machine(), {"StartDocPrinterW", 1167, 0, "label (s) 1"}, error));
    const plat::PrinterHandle receipt = Open();
    const plat::PrinterHandle label = Open(u"Label (S) 1");
    EXPECT_EQ(spooler().StartDocPrinterW(label, {u"x", u"", u"RAW"}), 0u);
    EXPECT_EQ(LastError(), 1167u);
    EXPECT_NE(spooler().StartDocPrinterW(receipt, {u"y", u"", u"RAW"}), 0u);
    ASSERT_EQ(sim::ListSimJobs(machine.machine()).size(), 1u);
    EXPECT_EQ(sim::ListSimJobs(machine.machine())[0].printer, "Receipt (U) 1");
}

TEST_F(SimSpoolerTest, SecondStartDocOnOneHandleIsRefused) {
    const plat::PrinterHandle printer = Open();
    ASSERT_NE(spooler().StartDocPrinterW(printer, {u"x", u"", u"RAW"}), 0u);
    EXPECT_EQ(spooler().StartDocPrinterW(printer, {u"y", u"", u"RAW"}), 0u);
    EXPECT_EQ(sim::ListSimJobs(machine.machine()).size(), 1u);
}

TEST_F(SimSpoolerTest, PrinterNamesAreUniqueWithoutRegardToCase) {
    std::string error;
    EXPECT_FALSE(sim::AddSimPrinter(machine.machine(), "receipt (u) 1", "", error));
    EXPECT_FALSE(error.empty());
    ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Label", "", error));
    auto printers = sim::PrintProvider(machine.machine()).Printers();
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(sim::PrintProvider(machine.machine()).FindPrinter("LABEL")->port, "");
}

}  // namespace

namespace {

// A job the spooler completes on a package USB port goes on to the attached printer of that
// port number; the spool keeps it either way.
TEST_F(SimSpoolerTest, ACompletedJobOnAUsbPortReachesThePrinterOfThatNumber) {
    std::string error;
    sim::UsbPrinter attached;
    attached.internalId = 0;  // answers to port 1
    ASSERT_TRUE(sim::AttachUsbPrinter(machine.machine(), attached, error)) << error;
    const auto print = [&](const std::vector<std::uint8_t>& bytes, bool end) {
        const plat::PrinterHandle printer = Open();
        EXPECT_NE(spooler().StartDocPrinterW(printer, {u"job", u"", u"RAW"}), 0u);
        std::uint32_t written = 0;
        EXPECT_TRUE(spooler().WritePrinter(printer, bytes.data(), static_cast<std::uint32_t>(bytes.size()), written));
        if (end) {
            EXPECT_TRUE(spooler().EndDocPrinter(printer));
        }
        EXPECT_TRUE(spooler().ClosePrinter(printer));
    };
    print({'a', 0x0A}, false);  // never ended: not printed
    EXPECT_TRUE(sim::ReadUsbPrinters(machine.machine())[0].received.empty());
    print({'b', 0x0A}, true);
    EXPECT_EQ(sim::ReadUsbPrinters(machine.machine())[0].received, "b\n");

    ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Receipt (U) 2", "USB_RECEIPT_2", error)) << error;
    const plat::PrinterHandle second = Open(u"Receipt (U) 2");
    ASSERT_NE(spooler().StartDocPrinterW(second, {u"job", u"", u"RAW"}), 0u);
    EXPECT_TRUE(spooler().EndDocPrinter(second));  // no printer on port 2: still a success
    EXPECT_EQ(sim::ReadUsbPrinters(machine.machine())[0].received, "b\n");
}

}  // namespace
