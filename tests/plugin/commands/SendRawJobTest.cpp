// The raw-job sender: the call sequence, what is ended after each failing call, the error it
// returns, and short writes.
#include <gtest/gtest.h>

#include "platform/win_constants.h"
#include "plugin/commands/SendRawJob.h"
#include "tests/plugin/commands/FakeSpooler.h"

namespace plugintest {
namespace {

using Calls = std::vector<std::string>;

plugin::RawJob TwoWriteJob() { return plugin::RawJob{u"JOB", {{0x01, 0x02, 0x03}, {0x04, 0x05}}}; }

struct Sender : ::testing::Test {
    FakeLastError lastError;
    FakeSpooler spooler{lastError};
    std::uint32_t Send(const plugin::RawJob& job = TwoWriteJob()) {
        return plugin::SendRawJob(spooler, lastError, spooler.expectedPrinter, job);
    }
};

TEST_F(Sender, SendsTheDocumentAsRawWithEveryWriteInOrder) {
    EXPECT_EQ(Send(), static_cast<std::uint32_t>(ERROR_SUCCESS));
    EXPECT_EQ(spooler.calls, (Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter",
                                    "WritePrinter", "EndPagePrinter", "EndDocPrinter"}));
    EXPECT_EQ(spooler.document.documentName, u"JOB");
    EXPECT_EQ(spooler.document.dataType, u"RAW");
    EXPECT_TRUE(spooler.document.outputFile.empty());
    EXPECT_EQ(spooler.received, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(spooler.writeSizes, (std::vector<std::uint32_t>{3, 2}));
    EXPECT_FALSE(spooler.wrongHandleSeen);
}

// Which calls follow a failing one: only what was opened is ended, in reverse order.
struct FailureCase {
    const char* failCall;
    int occurrence;
    Calls expectedCalls;
    std::vector<std::uint8_t> expectedBytes;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.failCall << " #" << c.occurrence;
}

class SenderFailure : public Sender, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SenderFailure, EndsWhatWasOpenedAndReturnsTheFailingCallsError) {
    const FailureCase& c = GetParam();
    spooler.failCall = c.failCall;
    spooler.failOnCall = c.occurrence;
    spooler.failError = ERROR_INVALID_HANDLE;
    EXPECT_EQ(Send(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(spooler.calls, c.expectedCalls);
    EXPECT_EQ(spooler.received, c.expectedBytes);
}

INSTANTIATE_TEST_SUITE_P(
    EachCall, SenderFailure,
    ::testing::Values(
        FailureCase{"StartDocPrinterW", 1, {"StartDocPrinterW"}, {}},
        FailureCase{"StartPagePrinter", 1, {"StartDocPrinterW", "StartPagePrinter", "EndDocPrinter"}, {}},
        FailureCase{"WritePrinter", 1,
                    {"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "EndPagePrinter",
                     "EndDocPrinter"},
                    {}},
        FailureCase{"WritePrinter", 2,
                    {"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "WritePrinter",
                     "EndPagePrinter", "EndDocPrinter"},
                    {1, 2, 3}},
        FailureCase{"EndPagePrinter", 1,
                    {"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "WritePrinter",
                     "EndPagePrinter", "EndDocPrinter"},
                    {1, 2, 3, 4, 5}},
        FailureCase{"EndDocPrinter", 1,
                    {"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "WritePrinter",
                     "EndPagePrinter", "EndDocPrinter"},
                    {1, 2, 3, 4, 5}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) {
        return std::string(info.param.failCall) + "_" + std::to_string(info.param.occurrence);
    });

TEST_F(Sender, FailureWithoutAnErrorCodeIsStillReportedAsFailure) {
    spooler.failCall = "StartDocPrinterW";
    spooler.failError = ERROR_SUCCESS;
    EXPECT_EQ(Send(), static_cast<std::uint32_t>(ERROR_WRITE_FAULT));
}

TEST_F(Sender, ShortWritesAreContinuedUntilEveryByteIsTaken) {
    spooler.writeLimit = 2;
    EXPECT_EQ(Send(), static_cast<std::uint32_t>(ERROR_SUCCESS));
    EXPECT_EQ(spooler.received, (std::vector<std::uint8_t>{1, 2, 3, 4, 5}));
    // 3 bytes offered, 2 taken, the last one offered again; then the second write whole.
    EXPECT_EQ(spooler.writeSizes, (std::vector<std::uint32_t>{3, 1, 2}));
}

TEST_F(Sender, AWriteThatTakesNothingEndsTheJobInsteadOfLooping) {
    spooler.writeTakesNothing = true;
    EXPECT_EQ(Send(), static_cast<std::uint32_t>(ERROR_WRITE_FAULT));
    EXPECT_EQ(spooler.calls, (Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter",
                                    "EndPagePrinter", "EndDocPrinter"}));
}

}  // namespace
}  // namespace plugintest
