// The "Main" page of the document sheet: the paper size, mirrored from the driver's own
// paper-size option, and whether all text is printed as a graphics image.
#pragma once
#include <string>
#include <string_view>

#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

// The paper name the page stores for a list entry: the name read as a 126-character buffer
// holds it, kept only when the device mode's 32-character field holds it whole. A longer name
// is not stored cut, since a cut name could name another form; the field is left empty and the
// driver's own selection stands for the paper.
std::u16string StoredPaperName(std::u16string_view listText);

class MainPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_MAIN_PAGE;

    explicit MainPage(DocSheetContext& sheet) : sheet_(sheet) {}
    DocSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    void OnSetActive(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;

private:
    // Runs `visit` on each of the driver's option items that stands for the paper size.
    template <typename Visit>
    void ForEachPaperItem(Visit visit) const;
    // Selects the list entry of that name (letter case aside); leaves the selection alone when
    // there is none.
    static void SelectByName(plat::DialogWindow& window, std::u16string_view name);
    // Selects the name each paper-size item has chosen itself.
    void SelectDriversPaper(plat::DialogWindow& window) const;
    // The list's choice to the option items (Sel, OPTIF_CHANGED, DrvUpdateUISetting) and its name
    // to the device mode; nothing without a choice.
    void StorePaper(plat::DialogWindow& window, bool setTwice);
    // Zoom, rotation or a watermark force text to graphics and lock the choice.
    bool TextForcedToGraphics() const;

    DocSheetContext& sheet_;
};

}  // namespace plugin
