// Logo download and clearing on a simulated machine: files on drive C, the job recorded by the
// simulated spooler byte for byte.
#include <gtest/gtest.h>

#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/LogoDownload.h"
#include "tests/plugin/imaging/TestBitmaps.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace imagingtest;

class LogoDownloadOnMachine : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(sim::AddSimPrinter(machine_.machine(), "Receipt (U) 1", "USB001", error)) << error;
        process_ = machine_.Process();
        ASSERT_TRUE(process_->rawPrinting().OpenPrinterW(u"Receipt (U) 1", printer_));
    }
    void TearDown() override {
        if (printer_ != 0) process_->rawPrinting().ClosePrinter(printer_);
    }
    void Put(const char* path, const Bytes& bytes) { ASSERT_TRUE(process_->files().WriteWholeFile(path, bytes)); }

    testsupport::TempMachine machine_;
    std::unique_ptr<sim::SimPlatform> process_;
    plat::PrinterHandle printer_ = 0;
};

TEST_F(LogoDownloadOnMachine, PrinterReceivesTheComposedJob) {
    Put("C:\\scratch\\shop.bmp", Uniform24(40, 20, {30, 60, 90}));
    Put("C:\\scratch\\mark.bmp", Bitmap1({{1, 0, 1, 0}, {0, 1, 0, 1}}, kBlack, kWhite));
    plugin::PlatformImageFiles files(process_->files());
    std::string work;
    ASSERT_EQ(plugin::ConvertToMonochrome(files, "C:\\scratch\\shop.bmp", work, 3, 10, 0), 1);
    const std::vector<std::string> logos{"C:\\scratch\\shop.bmp", "C:\\scratch\\mark.bmp"};

    EXPECT_EQ(plugin::DownloadAllLogos(files, process_->rawPrinting(), process_->lastError(), printer_, logos,
                                       plugin::LogoType::kTransformation),
              plugin::LogoDownloadStatus::kReady);

    plugin::RawJob expected;
    ASSERT_EQ(plugin::ComposeLogoDownload(files, logos, plugin::LogoType::kTransformation, expected),
              plugin::LogoDownloadStatus::kReady);
    const auto jobs = sim::ListSimJobs(machine_.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].document, "LOGO");
    EXPECT_EQ(jobs[0].dataType, "RAW");
    EXPECT_TRUE(jobs[0].completed);
    Bytes sent;
    ASSERT_TRUE(sim::ReadSimJobData(machine_.machine(), jobs[0].id, sent));
    EXPECT_EQ(sent, expected.Bytes());
}

TEST_F(LogoDownloadOnMachine, FailingWriteEndsTheDocumentWithWhatWasSent) {
    Put("C:\\scratch\\mark.bmp", Bitmap1({{1, 0, 1, 0}}, kBlack, kWhite));
    std::string error;
    ASSERT_TRUE(sim::AddSpoolerFault(machine_.machine(), {"WritePrinter", ERROR_WRITE_FAULT, 0}, error)) << error;
    plugin::PlatformImageFiles files(process_->files());
    EXPECT_EQ(plugin::DownloadAllLogos(files, process_->rawPrinting(), process_->lastError(), printer_,
                                       {"C:\\scratch\\mark.bmp"}, plugin::LogoType::kTransformation),
              plugin::LogoDownloadStatus::kReady);
    const auto jobs = sim::ListSimJobs(machine_.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].completed);
    Bytes sent;
    sim::ReadSimJobData(machine_.machine(), jobs[0].id, sent);
    EXPECT_TRUE(sent.empty());
}

TEST_F(LogoDownloadOnMachine, ClearAllLogosSendsTheSelfTestDocument) {
    plugin::ClearAllLogos(process_->rawPrinting(), process_->lastError(), printer_);
    const auto jobs = sim::ListSimJobs(machine_.machine());
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].document, "SELFTEST");
    Bytes sent;
    ASSERT_TRUE(sim::ReadSimJobData(machine_.machine(), jobs[0].id, sent));
    EXPECT_EQ(sent, (Bytes{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x71, 0x00, 0x00, 0x0A, 0x1B, 0x63, 0x3B, 0x00}));
}

}  // namespace
