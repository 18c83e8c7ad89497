// The "Water Mark" page of the document sheet: no watermark, a bitmap or a rotated text printed
// behind the document, its position, size and brightness, and a preview of the result. The
// settings go into the private device mode as each control changes; the watermark image file
// in the temporary directory is written when a bitmap is chosen and when a text watermark is
// applied.
#pragma once
#include <optional>
#include <string>

#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/imaging/RenderTextWatermark.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

// The longest bitmap path the device mode holds (its field keeps a terminating zero).
inline constexpr std::size_t kWatermarkPathMax = 124;
// The longest text the device mode holds; the text box takes no more.
inline constexpr int kWatermarkTextMax = 15;

class WatermarkPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_WATERMARK_PAGE;

    explicit WatermarkPage(DocSheetContext& sheet) : sheet_(sheet) {}
    DocSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    void OnScroll(plat::DialogWindow& window, int id, int code) override;
    void OnControlNotify(plat::DialogWindow& window, int id, int code) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;
    bool OnQueryCancel(plat::DialogWindow& window) override;

private:
    void FillControls(plat::DialogWindow& window, const OemDevmode& dm);
    void EnableForMode(plat::DialogWindow& window, WatermarkMode mode);
    WatermarkMode CheckedMode(plat::DialogWindow& window);
    void ChooseMode(plat::DialogWindow& window, WatermarkMode mode);
    void Browse(plat::DialogWindow& window);
    void FontSizeTyped(plat::DialogWindow& window, bool leaving);
    // Reads the three sliders into the device mode and their labels; the size label of a
    // released size drag is written with a percent sign.
    void ReadSliders(plat::DialogWindow& window, bool sizeReleased);
    void PositionChosen(plat::DialogWindow& window);
    // The change is stored: Apply is enabled and the preview drawn again.
    void Changed(plat::DialogWindow& window);

    // The text box's text: the chosen entry while a choice is being made (the box's own text
    // is not updated yet), otherwise what it holds.
    std::u16string WatermarkText(plat::DialogWindow& window, bool choosing);
    int FontSize(plat::DialogWindow& window);
    TextWatermarkLook TextLook(plat::DialogWindow& window);
    // The watermark image file: the temporary directory, the printer's name and "1.bmp", in
    // the system's code page for the file functions.
    std::string WatermarkFilePath();
    std::string Ansi(std::u16string_view text);
    int Message(plat::DialogWindow& window, const char* text, bool error);
    // The chosen bitmap's picture for the preview, read again when the module's state says so;
    // nothing (after the message, once) when it cannot be read.
    std::optional<plat::PixelImage> ImagePicture(plat::DialogWindow& window);

    DocSheetContext& sheet_;
    bool settingText_ = false;  // the page rewrites an edit: its change notification is its own
};

}  // namespace plugin
