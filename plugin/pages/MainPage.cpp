// The "Main" page: paper size and text as graphics.
#include "plugin/pages/MainPage.h"

#include <string>

#include "plugin/pages/MainPageIds.h"
#include "plugin/pages/SheetResult.h"
#include "plugin/pages/WatermarkSwitchedOff.h"

namespace plugin {

namespace {

// The list text is read into a buffer of 126 characters, the terminator among them.
constexpr std::size_t kListTextBuffer = 125;

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

// An option's display name; an entry without one shows as empty.
std::u16string_view OptionName(const com::OPTITEM& item, long index) {
    if (!item.pOptType || !item.pOptType->pOptParam || index < 0 || index >= item.pOptType->Count)
        return {};
    const char16_t* name = item.pOptType->pOptParam[index].pData;
    return name ? std::u16string_view(name) : std::u16string_view();
}

std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string StoredPaperName(std::u16string_view listText) {
    if (listText.size() > kListTextBuffer) listText = listText.substr(0, kListTextBuffer);
    constexpr std::size_t fits = decltype(OemDevmode::paperSizeName)::kCapacity - 1;
    return listText.size() <= fits ? std::u16string(listText) : std::u16string();
}

template <typename Visit>
void MainPage::ForEachPaperItem(Visit visit) const {
    const com::OEMCUIPPARAM* param = sheet_.commonUIParam;
    if (!param || !param->pDrvOptItems) return;
    for (com::DWORD i = 0; i < param->cDrvOptItems; ++i)
        if (param->pDrvOptItems[i].DMPubID == DMPUB_FORMNAME) visit(param->pDrvOptItems[i]);
}

void MainPage::SelectByName(plat::DialogWindow& window, std::u16string_view name) {
    const int count = window.ListCount(IDC_MAIN_PAPER_SIZE);
    for (int i = 0; i < count; ++i) {
        if (!EqualNoCase(window.ListItemTextW(IDC_MAIN_PAPER_SIZE, i), name)) continue;
        window.SetListSelection(IDC_MAIN_PAPER_SIZE, i);
        return;
    }
}

void MainPage::SelectDriversPaper(plat::DialogWindow& window) const {
    ForEachPaperItem([&](const com::OPTITEM& item) {
        const std::u16string_view name = OptionName(item, item.Sel);
        if (!name.empty()) SelectByName(window, name);
    });
}

bool MainPage::TextForcedToGraphics() const {
    const OemDevmode* dm = sheet_.devmode();
    return dm && (dm->zoomPrinting || dm->rotate180 || dm->watermarkMode != WatermarkMode::None);
}

bool MainPage::OnInitDialog(plat::DialogWindow& window) {
    window.ResetList(IDC_MAIN_PAPER_SIZE);
    ForEachPaperItem([&](const com::OPTITEM& item) {
        // List index = option index, so a selection is the item's Sel as it stands.
        const int count = item.pOptType ? item.pOptType->Count : 0;
        for (int j = 0; j < count; ++j)
            window.AddListItemW(IDC_MAIN_PAPER_SIZE, OptionName(item, j));
    });

    const OemDevmode* dm = sheet_.devmode();
    const std::u16string stored = dm ? dm->paperSizeName.str() : std::u16string();
    if (!stored.empty())
        SelectByName(window, stored);  // a name no longer offered leaves no selection
    else
        SelectDriversPaper(window);

    if (dm) {
        window.CheckButton(IDC_MAIN_ROTATE_NORMAL, !dm->rotate180);
        window.CheckButton(IDC_MAIN_ROTATE_180, dm->rotate180);
        window.SetRange(IDC_MAIN_SCALE_UPDOWN, 10, 100);
        window.SetPosition(IDC_MAIN_SCALE_UPDOWN, dm->scalePercent);
        window.SetItemTextW(IDC_MAIN_SCALE, Decimal(dm->scalePercent));
        window.CheckButton(IDC_MAIN_ZOOM, dm->zoomPrinting);
        window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_YES, dm->textAsGraphics);
        window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_NO, !dm->textAsGraphics);
    }
    const bool free = !TextForcedToGraphics();
    window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_YES, free);
    window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_NO, free);

    window.CheckButton(IDC_MAIN_ZOOM, false);
    window.EnableItem(IDC_MAIN_ZOOM, false);
    window.EnableItem(IDC_MAIN_SCALE, false);
    window.EnableItem(IDC_MAIN_SCALE_UPDOWN, false);
    window.EnableItem(IDC_MAIN_ROTATE_180, false);
    return false;
}

void MainPage::OnSetActive(plat::DialogWindow& window) {
    if (TextForcedToGraphics()) {
        // Text is printed as graphics while a watermark (or zoom or rotation) is on.
        window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_YES, false);
        window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_NO, false);
        window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_YES, true);
        window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_NO, false);
    } else {
        window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_YES, true);
        window.EnableItem(IDC_MAIN_TEXT_AS_GRAPHICS_NO, true);
        if (TakeWatermarkSwitchedOff()) {
            window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_NO, true);
            window.CheckButton(IDC_MAIN_TEXT_AS_GRAPHICS_YES, false);
        }
    }
    // The driver's own pages may have changed the paper since this page was last shown.
    SelectDriversPaper(window);
}

void MainPage::StorePaper(plat::DialogWindow& window, bool setTwice) {
    const int selected = window.GetListSelection(IDC_MAIN_PAPER_SIZE);
    if (selected < 0) return;  // nothing chosen: the items and the stored name stay as they are
    auto choose = [&](com::OPTITEM& item) {
        item.Sel = selected;
        item.Flags |= OPTIF_CHANGED;
    };
    if (setTwice) ForEachPaperItem(choose);
    ForEachPaperItem([&](com::OPTITEM& item) {
        choose(item);
        if (sheet_.driver)
            sheet_.driver->DrvUpdateUISetting(sheet_.commonUIParam->poemuiobj, &item, 0,
                                              OEMCUIP_DOCPROP);
    });
    if (OemDevmode* dm = sheet_.devmode())
        dm->paperSizeName.assign(StoredPaperName(window.ListItemTextW(IDC_MAIN_PAPER_SIZE, selected)));
}

bool MainPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    OemDevmode* dm = sheet_.devmode();
    switch (id) {
        case IDC_MAIN_PAPER_SIZE:
            if (code != plat::kComboSelChange) return false;
            StorePaper(window, true);
            MarkChanged(window);
            return true;
        case IDC_MAIN_TEXT_AS_GRAPHICS_YES:
        case IDC_MAIN_TEXT_AS_GRAPHICS_NO:
            if (code != plat::kButtonClicked || !dm) return false;
            dm->textAsGraphics = id == IDC_MAIN_TEXT_AS_GRAPHICS_YES;
            MarkChanged(window);
            return true;
        default:
            return false;
    }
}

plat::ApplyResult MainPage::OnApply(plat::DialogWindow& window) {
    if (OemDevmode* dm = sheet_.devmode()) {
        if (window.IsButtonChecked(IDC_MAIN_ROTATE_NORMAL))
            dm->rotate180 = false;
        else if (window.IsButtonChecked(IDC_MAIN_ROTATE_180))
            dm->rotate180 = true;
    }
    StorePaper(window, false);
    ReportDocumentPageApplied(sheet_);
    MarkUnchanged(window);
    return plat::ApplyResult::kAccepted;
}

}  // namespace plugin
