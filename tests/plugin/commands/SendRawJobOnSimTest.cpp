// Raw jobs sent through the simulated spooler: the job on record byte for byte, and what is
// left on record when an injected fault fails a call.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "plugin/commands/Barcode1DTestPrint.h"
#include "plugin/commands/SelfTestJob.h"
#include "plugin/commands/SendRawJob.h"
#include "tests/support/temp_machine.h"

namespace plugintest {
namespace {

constexpr std::uint32_t kPrinterOffline = 1167;  // ERROR_DEVICE_NOT_CONNECTED, as a cable pulled

struct SendRawJobOnSim : ::testing::Test {
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "ZK450i (U) 1", "USB_ZK450i_1", error))
            << error;
        process = machine.Process();
        ASSERT_TRUE(process);
        ASSERT_TRUE(process->rawPrinting().OpenPrinterW(u"ZK450i (U) 1", printer));
    }
    void TearDown() override {
        if (process && printer != 0) process->rawPrinting().ClosePrinter(printer);
    }

    std::uint32_t Send(const plugin::RawJob& job) {
        return plugin::SendRawJob(process->rawPrinting(), process->lastError(), printer, job);
    }
    void Fail(const char* call) {
        std::string error;
        ASSERT_TRUE(sim::AddSpoolerFault(machine.machine(), {call, kPrinterOffline, 1}, error))
            << error;
    }
    std::vector<std::uint8_t> Data(std::uint32_t id) {
        std::vector<std::uint8_t> data;
        sim::ReadSimJobData(machine.machine(), id, data);
        return data;
    }

    testsupport::TempMachine machine;
    std::unique_ptr<sim::SimPlatform> process;
    plat::PrinterHandle printer = 0;
};

TEST_F(SendRawJobOnSim, SelfTestJobIsRecordedByteForByte) {
    ASSERT_EQ(Send(plugin::SelfTestJob()), static_cast<std::uint32_t>(ERROR_SUCCESS));
    const std::vector<sim::SimJob> jobs = sim::ListSimJobs(machine.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].printer, "ZK450i (U) 1");
    EXPECT_EQ(jobs[0].document, "SELFTEST");
    EXPECT_EQ(jobs[0].dataType, "RAW");
    EXPECT_EQ(jobs[0].pages, 1u);
    EXPECT_TRUE(jobs[0].completed);
    // The three writes back to back.
    EXPECT_EQ(Data(jobs[0].id), (std::vector<std::uint8_t>{0x1B, 0x63, 0x3B, 0x01, 0x1D, 0x28,
                                                           0x41, 0x02, 0x00, 0x00, 0x02, 0x1B,
                                                           0x63, 0x3B, 0x00}));
}

TEST_F(SendRawJobOnSim, BarcodeTestPrintIsRecordedUnderItsDocumentName) {
    plugin::BarcodeSlot1D slot{};
    slot.symbology = 4;  // Code39, code 04
    slot.moduleWidth = 2;
    slot.barHeight = 50;  // 32h
    const std::string data = "AB";
    const auto job = plugin::Barcode1DTestJob(
        slot, {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
    ASSERT_TRUE(job);
    ASSERT_EQ(Send(*job), static_cast<std::uint32_t>(ERROR_SUCCESS));
    const std::vector<sim::SimJob> jobs = sim::ListSimJobs(machine.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].document, "Barcode");
    EXPECT_EQ(Data(jobs[0].id),
              (std::vector<std::uint8_t>{0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x77, 0x02,
                                         0x1D, 0x68, 0x32, 0x1D, 0x6B, 0x04, 'A',  'B',  0x00,
                                         0x0A, 0x1D, 0x56, 0x42, 0x00}));
}

TEST_F(SendRawJobOnSim, FailedFirstWriteEndsTheJobWithNoData) {
    Fail("WritePrinter");
    EXPECT_EQ(Send(plugin::SelfTestJob()), kPrinterOffline);
    const std::vector<sim::SimJob> jobs = sim::ListSimJobs(machine.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].completed);  // the page and the document were ended
    EXPECT_TRUE(Data(jobs[0].id).empty());
    // The handle is free for the next job: nothing was left open.
    EXPECT_EQ(Send(plugin::SelfTestJob()), static_cast<std::uint32_t>(ERROR_SUCCESS));
}

TEST_F(SendRawJobOnSim, FailedStartPageEndsTheDocument) {
    Fail("StartPagePrinter");
    EXPECT_EQ(Send(plugin::SelfTestJob()), kPrinterOffline);
    const std::vector<sim::SimJob> jobs = sim::ListSimJobs(machine.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].completed);
    EXPECT_EQ(jobs[0].pages, 0u);
}

TEST_F(SendRawJobOnSim, FailedStartDocLeavesNoJob) {
    Fail("StartDocPrinterW");
    EXPECT_EQ(Send(plugin::SelfTestJob()), kPrinterOffline);
    EXPECT_TRUE(sim::ListSimJobs(machine.machine()).empty());
}

}  // namespace
}  // namespace plugintest
