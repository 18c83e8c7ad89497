// Device modes as the host keeps them: the public part's defaults and form, and reading stored
// bytes back without ever reading past them.
#include "tools/driverui/DeviceMode.h"

#include <gtest/gtest.h>

namespace {

using namespace driverui;

TEST(PublicDevmode, DefaultsNameTheSizesAndTheForm) {
    const FormChoice a4{u"A4", 9};
    PublicDevmode dm = DefaultPublicDevmode(u"Receipt", 1464, &a4);
    EXPECT_EQ(dm.dmDeviceName.str(), u"Receipt");
    EXPECT_EQ(dm.dmSpecVersion, 0x0401);
    EXPECT_EQ(dm.dmSize, 220);
    EXPECT_EQ(dm.dmDriverExtra, 1464);
    EXPECT_EQ(dm.dmFields, 0x00010003u);  // DM_ORIENTATION | DM_PAPERSIZE | DM_FORMNAME
    EXPECT_EQ(dm.dmFormName.str(), u"A4");
    EXPECT_EQ(dm.dmPaperSize, 9);
    // Without a form neither form field is claimed.
    PublicDevmode bare = DefaultPublicDevmode(u"Receipt", 0, nullptr);
    EXPECT_EQ(bare.dmFields, 0x00000001u);
    EXPECT_EQ(bare.dmFormName.str(), u"");
}

TEST(PublicDevmode, NamesAreCutTo31Characters) {
    const std::u16string name32(32, u'n');
    const FormChoice longForm{std::u16string(40, u'f'), 300};
    PublicDevmode dm = DefaultPublicDevmode(name32, 0, &longForm);
    EXPECT_EQ(dm.dmDeviceName.str(), std::u16string(31, u'n'));
    EXPECT_EQ(dm.dmFormName.str(), std::u16string(31, u'f'));
    // Bytes 62..63 and 164..165 are the terminators.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&dm);
    EXPECT_EQ(bytes[62] | bytes[63], 0);
    EXPECT_EQ(bytes[164] | bytes[165], 0);
    EXPECT_EQ(bytes[78] | bytes[79] << 8, 300);  // dmPaperSize at its published offset
}

TEST(StoredDevmode, OnlyAWholeDeviceModeIsRead) {
    const std::vector<std::uint8_t> whole = DeviceMode(DefaultPublicDevmode(u"P", 0, nullptr), 8).bytes();
    ASSERT_EQ(whole.size(), 228u);
    std::vector<std::uint8_t> oneShort(whole.begin(), whole.end() - 1);
    std::vector<std::uint8_t> oneLonger = whole;
    oneLonger.push_back(0);
    std::vector<std::uint8_t> otherSize = whole;
    otherSize[68] = 156;  // dmSize of an older DEVMODE
    std::vector<std::uint8_t> publicOnly(whole.begin(), whole.begin() + 219);
    const std::vector<std::uint8_t> nothing;
    const struct {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        bool read;
    } cases[] = {{"whole", whole, true},           {"one byte short", oneShort, false},
                 {"one byte more", oneLonger, false}, {"dmSize 156", otherSize, false},
                 {"219 bytes", publicOnly, false},  {"nothing", nothing, false}};
    for (const auto& c : cases) {
        std::optional<StoredDevmode> stored = ReadStoredDevmode(c.bytes);
        EXPECT_EQ(stored.has_value(), c.read) << c.name;
        if (stored) {
            EXPECT_EQ(stored->privateBlock.size(), 8u);
        }
    }
}

}  // namespace
