// The bytes the barcode pages' test print takes from the "Data" text, in the simulated
// machine's code page.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/machine.h"
#include "plugin/pages/BarcodeTestPrint.h"
#include "tests/support/temp_machine.h"

namespace {

using plugin::ByteString;

ByteString Bytes(const std::string& s) { return ByteString(s.begin(), s.end()); }

struct TestPrintData : ::testing::Test {
    void UseCodePage(const char* codePage) {
        sim::MachineSettings s = machine.machine().settings();
        std::string error;
        ASSERT_TRUE(sim::SetSetting(s, "codepage", codePage, error)) << error;
        ASSERT_TRUE(machine.machine().SaveSettings(s, error)) << error;
    }
    std::optional<ByteString> Data(std::u16string_view text) {
        auto process = machine.Process();
        return plugin::TestPrintDataBytes(text, process->system());
    }
    testsupport::TempMachine machine;
};

TEST_F(TestPrintData, TakesTheTextInTheSystemCodePage) {
    EXPECT_EQ(Data(u"{A1234"), Bytes("{A1234"));
    EXPECT_EQ(Data(u"caf\u00E9"), Bytes("caf\xE9"));
    EXPECT_EQ(Data(u"\u4E2D"), Bytes("?"));  // 1252 lacks the character
    UseCodePage("936");
    EXPECT_EQ(Data(u"\u4E2D1"), Bytes("\xD6\xD0" "1"));
}

// Only the first 399 characters count; in 1252 each is one byte.
TEST_F(TestPrintData, TakesAtMost399Characters) {
    const std::u16string text(450, u'7');
    const std::optional<ByteString> data = Data(text);
    ASSERT_TRUE(data);
    EXPECT_EQ(*data, ByteString(399, '7'));
}

// 250 double-byte characters fill the 500-byte buffer exactly; one more is refused, not cut.
TEST_F(TestPrintData, RefusesTextOverTheFiveHundredByteBuffer) {
    UseCodePage("936");
    const std::optional<ByteString> fits = Data(std::u16string(250, u'\u4E2D'));
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->size(), 500u);
    EXPECT_FALSE(Data(std::u16string(251, u'\u4E2D')));
    // 399 characters of which 102 are double-byte: 501 bytes.
    EXPECT_FALSE(Data(std::u16string(102, u'\u4E2D') + std::u16string(297, u'1')));
    EXPECT_TRUE(Data(std::u16string(101, u'\u4E2D') + std::u16string(298, u'1')));
}

}  // namespace
