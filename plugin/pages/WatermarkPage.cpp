// The "Water Mark" page: its controls, the bitmap choice, the preview and its apply.
#include "plugin/pages/WatermarkPage.h"

#include <algorithm>
#include <string>

#include "platform/win_constants.h"
#include "plugin/imaging/BitmapImage.h"
#include "plugin/imaging/ConvertBitmapTo24Bit.h"
#include "plugin/imaging/TextWatermark.h"
#include "plugin/imaging/WatermarkPlacement.h"
#include "plugin/pages/EditNumber.h"
#include "plugin/pages/FlagScope.h"
#include "plugin/pages/SheetResult.h"
#include "plugin/pages/WatermarkModuleState.h"
#include "plugin/pages/WatermarkPageIds.h"
#include "plugin/pages/WatermarkSwitchedOff.h"

namespace plugin {

namespace {

constexpr const char16_t* kOfferedTexts[] = {u"CONFIDENTIAL", u"DO NOT COPY", u"TOP SECRET", u"DRAFT",
                                             u"PROOF",        u"FINAL",       u"COPY",       u"FILE COPY"};
constexpr const char16_t* kPositions[] = {u"Left-Top",    u"Center-Top",    u"Right-Top",
                                          u"Left-Middle", u"Center-Middle", u"Right-Middle",
                                          u"Left-Bottom", u"Center-Bottom", u"Right-Bottom",
                                          u"Tiled"};

constexpr int kFontSizeMin = 8, kFontSizeMax = 72;
constexpr int kAngleMax = 360, kSizeMax = 100, kBrightnessMax = 255;
constexpr std::size_t kTextReadMax = 40;   // characters of the text box read on apply
constexpr int kCbnEditChange = 5;          // CBN_EDITCHANGE
constexpr int kCbnSelEndOk = 9;            // CBN_SELENDOK
constexpr std::uint32_t kWhite = 0xFFFFFF;
// OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXTENSIONDIFFERENT | OFN_PATHMUSTEXIST |
// OFN_CREATEPROMPT | OFN_LONGNAMES
constexpr std::uint32_t kBrowseFlags = 0x00202C06;
constexpr int kBrowseBufferCharacters = 510;

constexpr char kSwitchedToGraphics[] = "All Text will be printed as graphics image!";
constexpr char kNoAdministrator[] = "Please check if user has administrator privileges!";
constexpr char kNotOneEightOr24Bits[] = "Make sure the specified bitmap is 1/8/24/ bits!";
constexpr char kNoFileName[] = "No filename is specified!";
constexpr char kPathTooLong[] =
    "The path of the bitmap is too long! Choose a bitmap whose full path has at most 124 characters.";
constexpr char kFileMissing[] = "The specified file does not exist!";
constexpr char kBitmapTooBig[] = "The bitmap you selected is too big!";

constexpr int kTextGroup[] = {IDC_WATERMARK_TEXT_BOX,  IDC_WATERMARK_FONT_TYPE,
                              IDC_WATERMARK_FONT_STYLE, IDC_WATERMARK_FONT_SIZE,
                              IDC_WATERMARK_FONT_SIZE_UPDOWN, IDC_WATERMARK_ANGLE};
constexpr int kImageGroup[] = {IDC_WATERMARK_PATH, IDC_WATERMARK_BROWSE};
constexpr int kCommonGroup[] = {IDC_WATERMARK_POSITION, IDC_WATERMARK_SIZE, IDC_WATERMARK_BRIGHTNESS};

std::u16string Decimal(int value, bool percent = false) {
    const std::string digits = std::to_string(value) + (percent ? "%" : "");
    return std::u16string(digits.begin(), digits.end());
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                               [](char16_t x, char16_t y) { return FoldAscii(x) == FoldAscii(y); });
}

plat::Rect Offset(plat::Rect r, const plat::Rect& by) {
    return {r.left + by.left, r.top + by.top, r.right + by.left, r.bottom + by.top};
}

}  // namespace

// ---- Setting up. ----

bool WatermarkPage::OnInitDialog(plat::DialogWindow& window) {
    const OemDevmode* dm = sheet_.devmode();
    const OemDevmode defaults = DefaultOemDevmode();
    FillControls(window, dm ? *dm : defaults);
    return true;
}

void WatermarkPage::FillControls(plat::DialogWindow& window, const OemDevmode& dm) {
    const WatermarkMode mode = dm.watermarkMode == WatermarkMode::Image || dm.watermarkMode == WatermarkMode::Text
                                   ? dm.watermarkMode
                                   : WatermarkMode::None;
    EnableForMode(window, mode);
    window.CheckButton(IDC_WATERMARK_NONE, mode == WatermarkMode::None);
    window.CheckButton(IDC_WATERMARK_IMAGE, mode == WatermarkMode::Image);
    window.CheckButton(IDC_WATERMARK_TEXT, mode == WatermarkMode::Text);

    window.SetItemTextW(IDC_WATERMARK_PATH, dm.watermarkPath.str());
    window.PaintItemAsWindow(IDC_WATERMARK_PATH);

    // The device mode keeps 15 characters of text, so the box takes no more.
    window.SetEditLimit(IDC_WATERMARK_TEXT_BOX, kWatermarkTextMax);
    window.ResetList(IDC_WATERMARK_TEXT_BOX);
    for (const char16_t* text : kOfferedTexts) window.AddListItemW(IDC_WATERMARK_TEXT_BOX, text);
    const std::u16string storedText = dm.watermarkText.str();
    if (storedText.empty())
        window.SetListSelection(IDC_WATERMARK_TEXT_BOX, 0);
    else
        window.SetItemTextW(IDC_WATERMARK_TEXT_BOX, storedText);

    window.ResetList(IDC_WATERMARK_FONT_TYPE);
    if (sheet_.platform)
        for (const plat::LogFontW& face : sheet_.platform->textRaster().TrueTypeFaces(plat::kAnsiCharset))
            window.AddListItemW(IDC_WATERMARK_FONT_TYPE, face.FaceName());
    window.SetListSelection(IDC_WATERMARK_FONT_TYPE, 0);
    const std::u16string storedFace = dm.watermarkFontFace.str();
    for (int i = 0, n = window.ListCount(IDC_WATERMARK_FONT_TYPE); i < n && !storedFace.empty(); ++i)
        if (EqualNoCase(window.ListItemTextW(IDC_WATERMARK_FONT_TYPE, i), storedFace)) {
            window.SetListSelection(IDC_WATERMARK_FONT_TYPE, i);
            break;
        }

    window.ResetList(IDC_WATERMARK_FONT_STYLE);
    for (const WatermarkFontStyle& style : kWatermarkFontStyles) window.AddListItemW(IDC_WATERMARK_FONT_STYLE, style.name);
    window.SetListSelection(IDC_WATERMARK_FONT_STYLE, dm.watermarkFontStyle < 4 ? dm.watermarkFontStyle : 0);

    const int fontSize = std::clamp<int>(dm.watermarkFontSize, kFontSizeMin, kFontSizeMax);
    window.SetEditLimit(IDC_WATERMARK_FONT_SIZE, 2);
    window.SetRange(IDC_WATERMARK_FONT_SIZE_UPDOWN, kFontSizeMin, kFontSizeMax);
    {
        FlagScope quiet(settingText_);
        window.SetPosition(IDC_WATERMARK_FONT_SIZE_UPDOWN, fontSize);
        window.SetItemTextW(IDC_WATERMARK_FONT_SIZE, Decimal(fontSize));
    }

    window.SetRange(IDC_WATERMARK_ANGLE, 0, kAngleMax);
    window.SetPosition(IDC_WATERMARK_ANGLE, dm.watermarkAngle);
    window.SetRange(IDC_WATERMARK_SIZE, 0, kSizeMax);
    window.SetPosition(IDC_WATERMARK_SIZE, dm.watermarkSize);
    window.SetRange(IDC_WATERMARK_BRIGHTNESS, 0, kBrightnessMax);
    window.SetPosition(IDC_WATERMARK_BRIGHTNESS, dm.watermarkBrightness);
    window.SetItemTextW(IDC_WATERMARK_ANGLE_VALUE, Decimal(window.GetPosition(IDC_WATERMARK_ANGLE)));
    window.SetItemTextW(IDC_WATERMARK_SIZE_VALUE, Decimal(window.GetPosition(IDC_WATERMARK_SIZE)));
    window.SetItemTextW(IDC_WATERMARK_BRIGHTNESS_VALUE, Decimal(window.GetPosition(IDC_WATERMARK_BRIGHTNESS)));

    window.ResetList(IDC_WATERMARK_POSITION);
    for (const char16_t* position : kPositions) window.AddListItemW(IDC_WATERMARK_POSITION, position);
    window.SetListSelection(IDC_WATERMARK_POSITION, dm.watermarkPosition);
}

void WatermarkPage::EnableForMode(plat::DialogWindow& window, WatermarkMode mode) {
    for (int id : kImageGroup) window.EnableItem(id, mode == WatermarkMode::Image);
    for (int id : kTextGroup) window.EnableItem(id, mode == WatermarkMode::Text);
    for (int id : kCommonGroup) window.EnableItem(id, mode != WatermarkMode::None);
}

WatermarkMode WatermarkPage::CheckedMode(plat::DialogWindow& window) {
    if (window.IsButtonChecked(IDC_WATERMARK_IMAGE)) return WatermarkMode::Image;
    if (window.IsButtonChecked(IDC_WATERMARK_TEXT)) return WatermarkMode::Text;
    return WatermarkMode::None;
}

// ---- The user's changes. ----

bool WatermarkPage::OnCommand(plat::DialogWindow& window, int id, int code) {
    OemDevmode* dm = sheet_.devmode();
    switch (id) {
        case IDC_WATERMARK_NONE:
        case IDC_WATERMARK_IMAGE:
        case IDC_WATERMARK_TEXT:
            if (code != plat::kButtonClicked) return false;
            ChooseMode(window, id == IDC_WATERMARK_NONE    ? WatermarkMode::None
                               : id == IDC_WATERMARK_IMAGE ? WatermarkMode::Image
                                                           : WatermarkMode::Text);
            return true;
        case IDC_WATERMARK_BROWSE:
            if (code != plat::kButtonClicked) return false;
            Browse(window);
            return true;
        case IDC_WATERMARK_TEXT_BOX:
            if (code != plat::kComboSelChange && code != kCbnEditChange) return false;
            if (dm) dm->watermarkText.assign(WatermarkText(window, code == plat::kComboSelChange));
            Changed(window);
            return true;
        case IDC_WATERMARK_FONT_TYPE: {
            if (code != kCbnSelEndOk && code != plat::kComboSelChange) return false;
            const int selected = window.GetListSelection(IDC_WATERMARK_FONT_TYPE);
            if (dm && selected >= 0) dm->watermarkFontFace.assign(window.ListItemTextW(IDC_WATERMARK_FONT_TYPE, selected));
            Changed(window);
            return true;
        }
        case IDC_WATERMARK_FONT_STYLE: {
            if (code != kCbnSelEndOk && code != plat::kComboSelChange) return false;
            const int selected = window.GetListSelection(IDC_WATERMARK_FONT_STYLE);
            if (dm && selected >= 0) dm->watermarkFontStyle = static_cast<std::uint8_t>(selected);
            Changed(window);
            return true;
        }
        case IDC_WATERMARK_POSITION:
            if (code != kCbnSelEndOk && code != plat::kComboSelChange) return false;
            PositionChosen(window);
            return true;
        case IDC_WATERMARK_FONT_SIZE:
            if (settingText_ || (code != plat::kEditChange && code != plat::kEditKillFocus)) return false;
            FontSizeTyped(window, code == plat::kEditKillFocus);
            return true;
        default:
            return false;
    }
}

void WatermarkPage::ChooseMode(plat::DialogWindow& window, WatermarkMode mode) {
    WatermarkModuleState& state = WatermarkState();
    if (OemDevmode* dm = sheet_.devmode()) {
        dm->watermarkMode = mode;
        if (mode == WatermarkMode::None) {
            dm->textAsGraphics = false;
        } else if (!dm->textAsGraphics) {
            // A watermark is printed as a picture, and the text over it with it.
            Message(window, kSwitchedToGraphics, false);
            dm->textAsGraphics = true;
        }
    }
    if (mode == WatermarkMode::None)
        RaiseWatermarkSwitchedOff();
    else
        state.reload = true;
    EnableForMode(window, mode);
    Changed(window);
}

void WatermarkPage::Browse(plat::DialogWindow& window) {
    plat::OpenFileRequest request;
    request.filters = {{u"*.bmp", u"*.bmp"}};
    request.flags = kBrowseFlags;
    request.bufferCharacters = kBrowseBufferCharacters;
    const std::optional<std::u16string> chosen = window.OpenFileDialog(request);
    if (!chosen) return;
    // The device mode keeps 124 characters; a cut path would name another file or none.
    if (chosen->size() > kWatermarkPathMax) {
        Message(window, kPathTooLong, true);
        return;
    }
    if (!sheet_.platform) return;
    const int result = ConvertBitmapTo24Bit(sheet_.platform->files(), Ansi(*chosen), WatermarkFilePath());
    if (result != kWatermarkConverted) {
        Message(window, result == kWatermarkOutputFailed ? kNoAdministrator : kNotOneEightOr24Bits, true);
        return;
    }
    window.SetItemTextW(IDC_WATERMARK_PATH, *chosen);
    const std::u16string shown = window.GetItemTextW(IDC_WATERMARK_PATH);
    if (shown.empty()) {
        Message(window, kNoFileName, true);
        return;
    }
    if (OemDevmode* dm = sheet_.devmode()) dm->watermarkPath.assign(shown);
    WatermarkState().reload = true;
    Changed(window);
}

void WatermarkPage::FontSizeTyped(plat::DialogWindow& window, bool leaving) {
    const int typed = static_cast<int>(ReadEditNumber(window.GetItemText(IDC_WATERMARK_FONT_SIZE)));
    // While typing only a size above the largest is corrected (a smaller one may be the first
    // digit of a larger); on leaving the edit the size is brought into range.
    const int size = leaving ? std::clamp(typed, kFontSizeMin, kFontSizeMax) : std::min(typed, kFontSizeMax);
    const bool corrected = size != typed || (leaving && window.GetItemText(IDC_WATERMARK_FONT_SIZE) != std::to_string(size));
    if (corrected) {
        FlagScope quiet(settingText_);
        window.SetItemTextW(IDC_WATERMARK_FONT_SIZE, Decimal(size));
    }
    if (size < kFontSizeMin) return;  // still being typed
    {
        FlagScope quiet(settingText_);
        window.SetPosition(IDC_WATERMARK_FONT_SIZE_UPDOWN, size);
    }
    OemDevmode* dm = sheet_.devmode();
    const bool stored = dm && dm->watermarkFontSize == size;
    if (dm) dm->watermarkFontSize = static_cast<std::uint8_t>(size);
    // Leaving the edit as it was changes nothing.
    if (!leaving || corrected || !stored) Changed(window);
}

void WatermarkPage::OnScroll(plat::DialogWindow& window, int id, int code) {
    switch (id) {
        case IDC_WATERMARK_FONT_SIZE_UPDOWN:
            // The arrows have written the new size into the edit.
            if (code == plat::kTbEndTrack) return;
            if (OemDevmode* dm = sheet_.devmode()) dm->watermarkFontSize = static_cast<std::uint8_t>(FontSize(window));
            Changed(window);
            return;
        case IDC_WATERMARK_ANGLE:
        case IDC_WATERMARK_SIZE:
        case IDC_WATERMARK_BRIGHTNESS:
            if (code != plat::kTbEndTrack) ReadSliders(window, false);
            return;
        default:
            return;
    }
}

void WatermarkPage::OnControlNotify(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kNmReleasedCapture) return;
    if (id == IDC_WATERMARK_ANGLE || id == IDC_WATERMARK_SIZE || id == IDC_WATERMARK_BRIGHTNESS)
        ReadSliders(window, id == IDC_WATERMARK_SIZE);
}

void WatermarkPage::ReadSliders(plat::DialogWindow& window, bool sizeReleased) {
    const int angle = window.GetPosition(IDC_WATERMARK_ANGLE);
    int size = window.GetPosition(IDC_WATERMARK_SIZE);
    const int brightness = window.GetPosition(IDC_WATERMARK_BRIGHTNESS);
    if (window.GetListSelection(IDC_WATERMARK_POSITION) == kWatermarkTiled && size < kWatermarkTiledMinSize) {
        size = kWatermarkTiledMinSize;
        window.SetPosition(IDC_WATERMARK_SIZE, size);
    }
    if (OemDevmode* dm = sheet_.devmode()) {
        dm->watermarkAngle = angle;
        dm->watermarkSize = static_cast<std::uint8_t>(size);
        dm->watermarkBrightness = static_cast<std::uint8_t>(brightness);
    }
    window.SetItemTextW(IDC_WATERMARK_ANGLE_VALUE, Decimal(angle));
    window.SetItemTextW(IDC_WATERMARK_SIZE_VALUE, Decimal(size, sizeReleased));
    window.SetItemTextW(IDC_WATERMARK_BRIGHTNESS_VALUE, Decimal(brightness));
    Changed(window);
}

void WatermarkPage::PositionChosen(plat::DialogWindow& window) {
    const int position = window.GetListSelection(IDC_WATERMARK_POSITION);
    if (position < 0) return;
    OemDevmode* dm = sheet_.devmode();
    if (dm) dm->watermarkPosition = static_cast<std::uint8_t>(position);
    if (position == kWatermarkTiled && window.GetPosition(IDC_WATERMARK_SIZE) < kWatermarkTiledMinSize) {
        // Smaller tiles are not offered.
        window.SetPosition(IDC_WATERMARK_SIZE, kWatermarkTiledMinSize);
        window.SetItemTextW(IDC_WATERMARK_SIZE_VALUE, Decimal(kWatermarkTiledMinSize));
        if (dm) dm->watermarkSize = kWatermarkTiledMinSize;
    }
    Changed(window);
}

void WatermarkPage::Changed(plat::DialogWindow& window) {
    MarkChanged(window);
    window.Invalidate();
}

// ---- Reading the controls. ----

std::u16string WatermarkPage::WatermarkText(plat::DialogWindow& window, bool choosing) {
    const int selected = window.GetListSelection(IDC_WATERMARK_TEXT_BOX);
    std::u16string text = choosing && selected >= 0 ? window.ListItemTextW(IDC_WATERMARK_TEXT_BOX, selected)
                                                    : window.GetItemTextW(IDC_WATERMARK_TEXT_BOX);
    if (text.size() > kTextReadMax) text.resize(kTextReadMax);
    return text;
}

int WatermarkPage::FontSize(plat::DialogWindow& window) {
    const int typed = static_cast<int>(ReadEditNumber(window.GetItemText(IDC_WATERMARK_FONT_SIZE)));
    return std::clamp(typed, kFontSizeMin, kFontSizeMax);
}

TextWatermarkLook WatermarkPage::TextLook(plat::DialogWindow& window) {
    TextWatermarkLook look;
    // What the device mode will hold: at most 15 characters of the text.
    look.text = WatermarkText(window, false).substr(0, kWatermarkTextMax);
    const int face = window.GetListSelection(IDC_WATERMARK_FONT_TYPE);
    if (face >= 0) look.face = window.ListItemTextW(IDC_WATERMARK_FONT_TYPE, face);
    look.pointSize = FontSize(window);
    look.style = std::max(window.GetListSelection(IDC_WATERMARK_FONT_STYLE), 0);
    look.angle = window.GetPosition(IDC_WATERMARK_ANGLE);
    return look;
}

std::string WatermarkPage::Ansi(std::u16string_view text) {
    return sheet_.platform ? sheet_.platform->system().WideCharToAnsi(text) : std::string();
}

std::string WatermarkPage::WatermarkFilePath() {
    if (!sheet_.platform) return {};
    char temp[260] = {};
    const std::uint32_t n = sheet_.platform->files().GetTempPathA(sizeof temp, temp);
    std::string path(temp, n < sizeof temp ? n : 0);
    // The temporary directory comes with its backslash; one separator is enough.
    if (path.empty() || path.back() != '\\') path += '\\';
    const char16_t* printer = sheet_.sheetParam ? sheet_.sheetParam->pPrinterName : nullptr;
    return path + Ansi(printer ? std::u16string_view(printer) : std::u16string_view()) + "1.bmp";
}

int WatermarkPage::Message(plat::DialogWindow& window, const char* text, bool error) {
    return window.MessageBox(text, error ? "Error" : "Information",
                             MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

// ---- The preview. ----

std::optional<plat::PixelImage> WatermarkPage::ImagePicture(plat::DialogWindow& window) {
    WatermarkModuleState& state = WatermarkState();
    const std::u16string chosen = window.GetItemTextW(IDC_WATERMARK_PATH);
    if (chosen != state.pictureSource) state.reload = true;
    if (state.reload && sheet_.platform) {
        plat::FileSystem& files = sheet_.platform->files();
        auto fail = [&](const char* text) -> std::optional<plat::PixelImage> {
            if (state.showErrors) {
                state.showErrors = false;
                Message(window, text, true);
            }
            return std::nullopt;
        };
        const std::string source = Ansi(chosen);
        if (!LoadBitmapImage(files, source)) return fail(kFileMissing);
        const std::string converted = WatermarkFilePath();
        const int result = ConvertBitmapTo24Bit(files, source, converted);
        if (result != kWatermarkConverted) return fail(result == kWatermarkOutputFailed ? kNoAdministrator : kFileMissing);
        std::optional<plat::PixelImage> picture = LoadBitmapImage(files, converted);
        if (!picture) return fail(kFileMissing);
        // Not read again until another bitmap is chosen, so the message comes once per choice.
        state.reload = false;
        state.pictureSource = chosen;
        if (picture->Stride() * static_cast<std::size_t>(picture->height) > kWatermarkPixelLimit) {
            state.picture = {};
            Message(window, kBitmapTooBig, true);
            return std::nullopt;
        }
        state.picture = std::move(*picture);
    }
    if (state.picture.width <= 0) return std::nullopt;
    return state.picture;
}

bool WatermarkPage::OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) {
    const plat::Rect area = window.ItemRect(IDC_WATERMARK_PREVIEW);
    const WatermarkMode mode = CheckedMode(window);
    std::optional<plat::PixelImage> picture;
    if (mode == WatermarkMode::Image && !window.GetItemTextW(IDC_WATERMARK_PATH).empty()) {
        picture = ImagePicture(window);
    } else if (mode == WatermarkMode::Text && sheet_.platform) {
        if (auto pixels = RenderTextWatermark(sheet_.platform->textRaster(), TextLook(window)))
            picture = TextWatermarkPicture(*pixels);
    }
    if (!picture) {
        canvas.FillRect(area, kWhite);
        return true;
    }
    LightenPicture(*picture, window.GetPosition(IDC_WATERMARK_BRIGHTNESS));
    const WatermarkPlacement placement =
        PlaceWatermark(area.right - area.left, area.bottom - area.top, picture->width, picture->height,
                       window.GetListSelection(IDC_WATERMARK_POSITION), window.GetPosition(IDC_WATERMARK_SIZE));
    const plat::StretchMode stretch =
        mode == WatermarkMode::Text ? plat::StretchMode::BlackOnWhite : plat::StretchMode::ColorOnColor;
    for (const WatermarkStretch& part : placement.stretches)
        canvas.StretchImage(*picture, part.source, Offset(part.target, area), stretch);
    for (const plat::Rect& white : placement.whiteFills) canvas.FillRect(Offset(white, area), kWhite);
    return true;
}

// ---- Apply and cancel. ----

plat::ApplyResult WatermarkPage::OnApply(plat::DialogWindow& window) {
    OemDevmode* dm = sheet_.devmode();
    const WatermarkMode mode = CheckedMode(window);
    if (dm) {
        dm->watermarkMode = mode;
        if (mode != WatermarkMode::None) dm->textAsGraphics = true;
        const int position = window.GetListSelection(IDC_WATERMARK_POSITION);
        if (position >= 0) dm->watermarkPosition = static_cast<std::uint8_t>(position);
        int size = window.GetPosition(IDC_WATERMARK_SIZE);
        if (dm->watermarkPosition == kWatermarkTiled) size = std::max(size, kWatermarkTiledMinSize);
        dm->watermarkSize = static_cast<std::uint8_t>(size);
        dm->watermarkBrightness = static_cast<std::uint8_t>(window.GetPosition(IDC_WATERMARK_BRIGHTNESS));
        dm->watermarkFontSize = static_cast<std::uint8_t>(FontSize(window));
        dm->watermarkAngle = window.GetPosition(IDC_WATERMARK_ANGLE);
        const int style = window.GetListSelection(IDC_WATERMARK_FONT_STYLE);
        if (style >= 0) dm->watermarkFontStyle = static_cast<std::uint8_t>(style);
        if (mode == WatermarkMode::Image) dm->watermarkPath.assign(window.GetItemTextW(IDC_WATERMARK_PATH));
    }
    if (mode == WatermarkMode::Text) {
        const TextWatermarkLook look = TextLook(window);
        if (dm) {
            dm->watermarkFontFace.assign(look.face);
            dm->watermarkText.assign(look.text);
        }
        // The driver prints the file: without it nothing is reported applied.
        if (!sheet_.platform) return plat::ApplyResult::kAccepted;
        const auto pixels = RenderTextWatermark(sheet_.platform->textRaster(), look);
        const auto file = pixels ? TextWatermarkFile(*pixels) : std::nullopt;
        if (!file || !sheet_.platform->files().WriteWholeFile(WatermarkFilePath().c_str(), *file))
            return plat::ApplyResult::kAccepted;
    }
    ReportDocumentPageApplied(sheet_);
    MarkUnchanged(window);
    return plat::ApplyResult::kAccepted;
}

bool WatermarkPage::OnQueryCancel(plat::DialogWindow& /*window*/) {
    WatermarkState().reload = true;
    return true;
}

}  // namespace plugin
