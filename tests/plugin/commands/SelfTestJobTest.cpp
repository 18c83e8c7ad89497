// The self-test page job, byte for byte.
#include <gtest/gtest.h>

#include "plugin/commands/SelfTestJob.h"

namespace plugintest {
namespace {

TEST(SelfTestJob, IsDocumentSelftestInThreeWrites) {
    const plugin::RawJob job = plugin::SelfTestJob();
    EXPECT_EQ(job.documentName, u"SELFTEST");
    // ESC c ; 1 / GS ( A with pL 02 pH 00, n 00, m 02 / ESC c ; 0, each its own WritePrinter.
    const std::vector<plugin::ByteString> expected = {
        {0x1B, 0x63, 0x3B, 0x01},
        {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02},
        {0x1B, 0x63, 0x3B, 0x00},
    };
    EXPECT_EQ(job.writes, expected);
}

}  // namespace
}  // namespace plugintest
