// The "Font" page: the tree of the printer's fonts with their point sizes, and the same fonts in
// the hidden list.
#include "plugin/pages/FontPage.h"

#include <iterator>
#include <span>

#include "platform/win_constants.h"
#include "plugin/pages/FontPageIds.h"
#include "plugin/pages/SheetResult.h"

namespace plugin {

namespace {

// One font: the tree's text (name and size, spaced as the printer's documentation prints them)
// and the hidden list's name and size.
struct PrinterFont {
    const char16_t* treeText;
    const char16_t* name;
    const char16_t* listPoints;
};

struct FontFamily {
    const char16_t* title;
    std::span<const PrinterFont> fonts;
};

// The size depends on the font number's second digit (1, 2, 4). The hidden list has always
// carried 38.0 for Font A's largest size, where the tree says 38.5.
constexpr PrinterFont kFontA[] = {
    {u"FontA11    9.5", u"FontA11", u"9.5"},   {u"FontA12    19.0", u"FontA12", u"19.0"},
    {u"FontA21    9.5", u"FontA21", u"9.5"},   {u"FontA22   19.0", u"FontA22", u"19.0"},
    {u"FontA24   38.5", u"FontA24", u"38.0"},  {u"FontA42   19.0", u"FontA42", u"19.0"},
    {u"FontA44   38.5", u"FontA44", u"38.0"},
};
constexpr PrinterFont kFontB[] = {
    {u"FontB11    7.0", u"FontB11", u"7.0"},   {u"FontB12    13.5", u"FontB12", u"13.5"},
    {u"FontB21    7.0", u"FontB21", u"7.0"},   {u"FontB22   13.5", u"FontB22", u"13.5"},
    {u"FontB24   27.0", u"FontB24", u"27.0"},  {u"FontB42   13.5", u"FontB42", u"13.5"},
    {u"FontB44   27.0", u"FontB44", u"27.0"},
};
constexpr PrinterFont kControlFont[] = {{u"Control    1.0", u"Control", u"1.0"}};

constexpr FontFamily kFamilies[] = {
    {u"Font A", kFontA},
    {u"Font B", kFontB},
    {u"Control Font", kControlFont},
};

constexpr char16_t kRootText[] = u"Printer Fonts and Font Sizes";

// Images of the tree's image list by level: root, family, font.
constexpr int kTreeIcons[] = {IDI_FONT_TREE_ROOT, IDI_FONT_TREE_FAMILY, IDI_FONT_TREE_FONT};
constexpr int kRootImage = 0, kFamilyImage = 1, kFontImage = 2;
constexpr int kIconSize = 16;

// The hidden list's columns: (header, width in pixels).
constexpr int kNameColumnWidth = 120;
constexpr int kPointColumnWidth = 60;

}  // namespace

bool FontPage::OnInitDialog(plat::DialogWindow& window) {
    window.DeleteAllListViewRows(IDC_FONT_LIST);
    // The tree shows without pictures when an icon cannot be loaded; nothing else depends on them.
    window.SetTreeIcons(IDC_FONT_TREE, kTreeIcons, kIconSize);
    FillTree(window);
    FillList(window);
    return true;
}

void FontPage::FillTree(plat::DialogWindow& window) {
    window.DeleteAllTreeItems(IDC_FONT_TREE);
    const plat::TreeItem root =
        window.InsertTreeItemW(IDC_FONT_TREE, plat::kTreeRoot, kRootText, kRootImage, kRootImage);
    if (!root) return;
    plat::TreeItem parents[std::size(kFamilies)] = {};
    for (std::size_t f = 0; f < std::size(kFamilies); ++f) {
        parents[f] = window.InsertTreeItemW(IDC_FONT_TREE, root, kFamilies[f].title, kFamilyImage,
                                            kFamilyImage);
        if (!parents[f]) return;
        for (const PrinterFont& font : kFamilies[f].fonts)
            window.InsertTreeItemW(IDC_FONT_TREE, parents[f], font.treeText, kFontImage, kFontImage);
    }
    // The card opens fully: every family's fonts are in view, the root selected.
    window.ExpandTreeItem(IDC_FONT_TREE, root);
    for (plat::TreeItem parent : parents) window.ExpandTreeItem(IDC_FONT_TREE, parent);
    window.SelectTreeItem(IDC_FONT_TREE, root);
}

void FontPage::FillList(plat::DialogWindow& window) {
    window.InsertListViewColumn(IDC_FONT_LIST, 0, "Font Name", kNameColumnWidth);
    window.InsertListViewColumn(IDC_FONT_LIST, 1, "Point", kPointColumnWidth);
    window.SetListViewExtendedStyle(IDC_FONT_LIST, LVS_EX_FULLROWSELECT);
    int row = 0;
    for (const FontFamily& family : kFamilies) {
        for (const PrinterFont& font : family.fonts) {
            const int at = window.InsertListViewRowW(IDC_FONT_LIST, row, font.name);
            if (at < 0) return;
            window.SetListViewCellTextW(IDC_FONT_LIST, at, 1, font.listPoints);
            ++row;
        }
    }
}

plat::ApplyResult FontPage::OnApply(plat::DialogWindow&) {
    // The page holds no setting; the driver only hears that it agrees.
    ReportDevicePageApplied(sheet_);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
