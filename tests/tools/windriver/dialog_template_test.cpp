// Control ids from dialog templates laid out by hand as the resource compiler writes them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/windriver/dialog_template.h"

namespace {

using windriver::DialogTemplateInfo;
using windriver::ReadDialogTemplate;

class Bytes {
public:
    Bytes& Word(std::uint16_t v) {
        data.push_back(static_cast<std::uint8_t>(v & 0xFF));
        data.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    Bytes& Dword(std::uint32_t v) { return Word(static_cast<std::uint16_t>(v & 0xFFFF)).Word(static_cast<std::uint16_t>(v >> 16)); }
    Bytes& Text(const std::string& ascii) {
        for (char c : ascii) Word(static_cast<std::uint16_t>(c));
        return Word(0);
    }
    Bytes& Ordinal(std::uint16_t v) { return Word(0xFFFF).Word(v); }
    Bytes& Align() {
        while (data.size() % 4) data.push_back(0);
        return *this;
    }
    std::vector<std::uint8_t> data;
};

constexpr std::uint32_t kSetFont = 0x40;
constexpr std::uint32_t kChild = 0x40000000;

// DIALOGEX with a font, a title, a class-by-name item and an item with an ordinal text and
// creation data: ids 1091 and -1.
std::vector<std::uint8_t> ExtendedTemplate() {
    Bytes b;
    b.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(kSetFont | kChild).Word(2);
    b.Word(0).Word(0).Word(235).Word(55);
    b.Word(0).Word(0).Text("About");                                 // no menu, no class, title
    b.Word(8).Word(400).Word(0x0100).Text("MS Shell Dlg");          // 8 pt, weight, italic 0, charset 1
    b.Align().Dword(0).Dword(0).Dword(0x50000000).Word(40).Word(10).Word(119).Word(8).Dword(1091);
    b.Text("Static").Text("Version").Word(0);
    b.Align().Dword(0).Dword(0).Dword(0x50000003).Word(11).Word(17).Word(20).Word(20).Dword(0xFFFFFFFF);
    b.Ordinal(0x0082).Ordinal(128).Word(2).Word(0xABCD);
    return b.data;
}

TEST(DialogTemplate, ExtendedTemplateGivesItsControlIdsInOrder) {
    std::vector<std::uint8_t> bytes = ExtendedTemplate();
    DialogTemplateInfo info;
    ASSERT_TRUE(ReadDialogTemplate(bytes.data(), bytes.size(), info));
    EXPECT_EQ(info.style, kSetFont | kChild);
    EXPECT_EQ(info.controlIds, (std::vector<int>{1091, -1}));
}

TEST(DialogTemplate, ClassicTemplateWithoutFontGivesSixteenBitIds) {
    Bytes b;
    b.Dword(kChild).Dword(0).Word(2).Word(0).Word(0).Word(100).Word(50);
    b.Word(0).Word(0).Word(0);  // no menu, no class, empty title
    b.Align().Dword(0x50010000).Dword(0).Word(1).Word(1).Word(50).Word(14).Word(1);
    b.Ordinal(0x0080).Text("OK").Word(0);
    b.Align().Dword(0x50000000).Dword(0).Word(1).Word(20).Word(50).Word(8).Word(0xFFFF);
    b.Ordinal(0x0082).Text("").Word(0);
    DialogTemplateInfo info;
    ASSERT_TRUE(ReadDialogTemplate(b.data.data(), b.data.size(), info));
    EXPECT_EQ(info.controlIds, (std::vector<int>{1, -1}));
}

TEST(DialogTemplate, EveryCutTemplateIsRefused) {
    std::vector<std::uint8_t> bytes = ExtendedTemplate();
    // The last item's creation data ends the template: any shorter copy lacks part of it.
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        DialogTemplateInfo info;
        EXPECT_FALSE(ReadDialogTemplate(bytes.data(), size, info)) << size << " bytes";
    }
}

}  // namespace
