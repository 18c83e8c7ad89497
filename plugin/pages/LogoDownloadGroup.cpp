// The stored-logo list: adding, deleting, converting, previewing and downloading logos.
#include "plugin/pages/LogoDownloadGroup.h"

#include <string>

#include "common/bmp.h"
#include "platform/win_constants.h"
#include "plugin/imaging/BitmapImage.h"
#include "plugin/imaging/ConvertToGray.h"
#include "plugin/imaging/ConvertToMonochrome.h"
#include "plugin/imaging/ImageFiles.h"
#include "plugin/imaging/LogoDownload.h"
#include "plugin/imaging/SourceBitmap.h"
#include "plugin/imaging/WorkFile.h"
#include "plugin/pages/DownloadPageIds.h"
#include "plugin/pages/OpenFileFlags.h"

namespace plugin {

namespace {

constexpr char kCaption[] = "Error";
constexpr int kTypeRadios[] = {IDC_DOWNLOAD_ORIGINAL, IDC_DOWNLOAD_TRANSFORMATION, IDC_DOWNLOAD_GRAY};
// Indexed by halftone method.
constexpr int kMethodRadios[] = {IDC_DOWNLOAD_NONE, IDC_DOWNLOAD_DITHER_M3, IDC_DOWNLOAD_DITHER_M4,
                                 IDC_DOWNLOAD_ERROR_DIFFUSE};
constexpr int kLevelLimit = 100;  // contrast and brightness run from -100 to 100
// The page checks the picture size from the first 62 bytes: the headers of a one-bit file.
constexpr std::size_t kCheckedHeaderBytes = 62;
constexpr std::int32_t kMaxLogoWidth = 1024;
constexpr std::int32_t kMaxLogoHeight = 768;
// The chosen file's path, zero included.
constexpr int kLogoPathBuffer = 260;
// (HBRUSH)15: the system colour COLOR_HIGHLIGHTTEXT.
constexpr int kClearedPreviewBrush = 15;

void ShowError(plat::DialogWindow& window, const char* text) { window.MessageBox(text, kCaption, MB_OK); }

std::u16string Decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// Checks the radio of `chosen` among `group` and unchecks the others.
template <std::size_t N>
void CheckRadio(plat::DialogWindow& window, const int (&group)[N], int chosen) {
    for (int id : group) window.CheckButton(id, id == chosen);
}

template <std::size_t N>
void EnableAll(plat::DialogWindow& window, const int (&group)[N], bool enabled) {
    for (int id : group) window.EnableItem(id, enabled);
}

void EnableTrackbars(plat::DialogWindow& window, bool enabled) {
    window.EnableItem(IDC_DOWNLOAD_CONTRAST, enabled);
    window.EnableItem(IDC_DOWNLOAD_BRIGHTNESS, enabled);
}

std::u16string FileNameOf(const std::u16string& path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

bool IsMonochromeSource(unsigned bitCount) { return bitCount == 24 || bitCount == 8; }
bool IsGraySource(unsigned bitCount) { return bitCount == 24 || bitCount == 8 || bitCount == 1; }

}  // namespace

plat::PrinterHandle LogoDownloadGroup::printer() const {
    return sheet_.commonUIParam ? reinterpret_cast<plat::PrinterHandle>(sheet_.commonUIParam->hPrinter) : 0;
}

unsigned LogoDownloadGroup::BitCountOf(const Entry& entry) {
    std::vector<std::uint8_t> bytes;
    if (!sheet_.platform || !sheet_.platform->files().ReadWholeFile(entry.filePath.c_str(), bytes)) return 0;
    return BitmapBitCount(bytes);
}

void LogoDownloadGroup::Open(plat::DialogWindow& window) {
    window.DeleteAllListViewRows(IDC_DOWNLOAD_LOGOS);
    window.SetListViewExtendedStyle(IDC_DOWNLOAD_LOGOS, LVS_EX_FULLROWSELECT);
    window.InsertListViewColumn(IDC_DOWNLOAD_LOGOS, 0, "ID", 30);
    window.InsertListViewColumn(IDC_DOWNLOAD_LOGOS, 1, "Name", 150);
    window.InsertListViewColumn(IDC_DOWNLOAD_LOGOS, 2, "Path", 300);
    entries_.clear();
    shownRow_ = -1;
    preview_.reset();

    // The type outlives the page, so the radio shows the type that Add will convert for.
    CheckRadio(window, kTypeRadios, kTypeRadios[static_cast<int>(ProcessLogoState().type)]);
    CheckRadio(window, kMethodRadios, IDC_DOWNLOAD_NONE);
    for (int id : {IDC_DOWNLOAD_CONTRAST, IDC_DOWNLOAD_BRIGHTNESS}) window.SetRange(id, -kLevelLimit, kLevelLimit);
    SetTrackbars(window, 0, 0);
    window.EnableItem(IDC_DOWNLOAD_ALL, false);
    EnableAll(window, kTypeRadios, false);
    EnableAll(window, kMethodRadios, false);
    EnableTrackbars(window, false);
}

bool LogoDownloadGroup::OnCommand(plat::DialogWindow& window, int id, int code) {
    if (code != plat::kButtonClicked) {
        return id >= IDC_DOWNLOAD_LOGOS && id <= IDC_DOWNLOAD_NOTICE;
    }
    switch (id) {
        case IDC_DOWNLOAD_ADD: Add(window); return true;
        case IDC_DOWNLOAD_DELETE: Delete(window); return true;
        case IDC_DOWNLOAD_ALL: DownloadAll(window); return true;
        case IDC_DOWNLOAD_CLEAR_LOGOS:
            // A failing spooler call ends what was opened, without a message.
            if (sheet_.platform)
                ClearAllLogos(sheet_.platform->rawPrinting(), sheet_.platform->lastError(), printer());
            return true;
        case IDC_DOWNLOAD_ORIGINAL: ChooseType(window, LogoType::kOriginal); return true;
        case IDC_DOWNLOAD_TRANSFORMATION: ChooseType(window, LogoType::kTransformation); return true;
        case IDC_DOWNLOAD_GRAY: ChooseType(window, LogoType::kGray); return true;
        default: break;
    }
    for (int method = 0; method < 4; ++method)
        if (id == kMethodRadios[method]) {
            ChooseMethod(window, method);
            return true;
        }
    return false;
}

void LogoDownloadGroup::OnScroll(plat::DialogWindow& window, int id, int code) {
    if (id != IDC_DOWNLOAD_CONTRAST && id != IDC_DOWNLOAD_BRIGHTNESS) return;
    // Every step of a drag converts anew; the end of the drag adds nothing to its last step.
    if (code != plat::kTbEndTrack) TrackbarsMoved(window);
}

bool LogoDownloadGroup::OnNotify(plat::DialogWindow& window, int id, int code) {
    if (id == IDC_DOWNLOAD_LOGOS && (code == plat::kNmClick || code == plat::kLvnItemChanged)) {
        // A click selects first (LVN_ITEMCHANGED), so the entry is shown once however it was chosen.
        if (window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS) != shownRow_) ShowSelection(window);
        return false;
    }
    return (id == IDC_DOWNLOAD_CONTRAST || id == IDC_DOWNLOAD_BRIGHTNESS) && code == plat::kNmReleasedCapture;
}

void LogoDownloadGroup::SetTrackbars(plat::DialogWindow& window, int contrast, int brightness) {
    window.SetPosition(IDC_DOWNLOAD_CONTRAST, contrast);
    window.SetPosition(IDC_DOWNLOAD_BRIGHTNESS, brightness);
    window.SetItemTextW(IDC_DOWNLOAD_CONTRAST_VALUE, Decimal(contrast));
    window.SetItemTextW(IDC_DOWNLOAD_BRIGHTNESS_VALUE, Decimal(brightness));
}

void LogoDownloadGroup::EnableTypeRadios(plat::DialogWindow& window) {
    EnableAll(window, kTypeRadios, window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS) >= 0);
}

void LogoDownloadGroup::Add(plat::DialogWindow& window) {
    if (entries_.size() >= kMaxLogos) {
        ShowError(window, "The total counts of the logos is 9,\nplease delete some logos before selecting another logo!");
        return;
    }
    if (!sheet_.platform) return;
    plat::OpenFileRequest request;
    request.filters = {{u"*.bmp", u"*.bmp"}};
    request.title = u"Please Select a Logo file";
    request.flags = kDownloadOpenFileFlags;
    request.bufferCharacters = kLogoPathBuffer;
    const auto chosen = window.OpenFileDialog(request);
    if (!chosen) return;

    // A character the system code page lacks becomes '?', which no file name holds.
    Entry entry{*chosen, sheet_.platform->system().WideCharToAnsi(*chosen)};
    std::vector<std::uint8_t> bytes;
    if (!sheet_.platform->files().ReadWholeFile(entry.filePath.c_str(), bytes)) {
        ShowError(window, "Fail to open the selected file!");
        return;
    }
    if (bytes.size() < kCheckedHeaderBytes) {
        ShowError(window, "Failed to get data from the file!");
        return;
    }
    const auto width = static_cast<std::int32_t>(*common::ReadLe32(bytes, 18));
    const auto height = static_cast<std::int32_t>(*common::ReadLe32(bytes, 22));
    if (width > kMaxLogoWidth || height > kMaxLogoHeight) {
        ShowError(window, "The image is too big to be selected.\nthe width must be less than 1024 Byte,"
                          "and the height must be less than 768 Byte!");
        return;
    }

    // The first work file, for the type in force; a failed conversion leaves the source in use.
    PlatformImageFiles files(sheet_.platform->files());
    const unsigned bitCount = BitmapBitCount(bytes);
    const LogoType type = ProcessLogoState().type;
    std::string workFile;
    switch (type) {
        case LogoType::kOriginal:
            if (IsMonochromeSource(bitCount))
                ConvertToMonochrome(files, entry.filePath, workFile, static_cast<int>(HalftoneMethod::kNone), 0, 0);
            break;
        case LogoType::kTransformation:
            if (bitCount == 0) return;  // not a bitmap: not added
            if (IsMonochromeSource(bitCount))
                ConvertToMonochrome(files, entry.filePath, workFile, static_cast<int>(HalftoneMethod::kDitherM3), 0, 0);
            break;
        case LogoType::kGray:
            if (!IsGraySource(bitCount)) return;  // no gray image can be made: not added
            ConvertToGray(files, entry.filePath, workFile, 0, 0);
            break;
    }

    const int row = static_cast<int>(entries_.size());
    window.InsertListViewRowW(IDC_DOWNLOAD_LOGOS, row, Decimal(row + 1));
    window.SetListViewCellTextW(IDC_DOWNLOAD_LOGOS, row, 1, FileNameOf(entry.path));
    window.SetListViewCellTextW(IDC_DOWNLOAD_LOGOS, row, 2, entry.path);
    entries_.push_back(std::move(entry));
    ProcessLogoState().settings[static_cast<std::size_t>(row)] = {
        type == LogoType::kTransformation ? static_cast<int>(HalftoneMethod::kDitherM3) : 0, 0, 0};
    window.SetFocus(IDC_DOWNLOAD_LOGOS);
    EnableTypeRadios(window);
}

void LogoDownloadGroup::Delete(plat::DialogWindow& window) {
    const int row = window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS);
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const std::size_t count = entries_.size();
    if (sheet_.platform) sheet_.platform->files().DeleteFileA(WorkFilePath(entries_[static_cast<std::size_t>(row)].filePath).c_str());
    window.DeleteListViewRow(IDC_DOWNLOAD_LOGOS, row);
    entries_.erase(entries_.begin() + row);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        window.SetListViewCellTextW(IDC_DOWNLOAD_LOGOS, static_cast<int>(i), 0, Decimal(static_cast<long long>(i) + 1));
    ProcessLogoState().RemoveAt(static_cast<std::size_t>(row), count);
    EnableTypeRadios(window);
    Refresh(window);  // with no selection left, the preview is cleared
}

void LogoDownloadGroup::ChooseType(plat::DialogWindow& window, LogoType type) {
    LogoListState& state = ProcessLogoState();
    state.type = type;
    window.EnableItem(IDC_DOWNLOAD_ALL, type != LogoType::kOriginal && !entries_.empty());
    // The whole list is converted anew only while an entry is selected.
    if (window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS) >= 0 && sheet_.platform) {
        PlatformImageFiles files(sheet_.platform->files());
        std::string workFile;
        int method = static_cast<int>(HalftoneMethod::kNone);
        if (type == LogoType::kTransformation) {
            method = static_cast<int>(HalftoneMethod::kDitherM3);
            for (const Entry& entry : entries_) {
                const unsigned bitCount = BitCountOf(entry);
                if (bitCount == 0) break;  // a file that is not a bitmap ends the conversions
                if (IsMonochromeSource(bitCount)) ConvertToMonochrome(files, entry.filePath, workFile, method, 0, 0);
            }
        } else if (type == LogoType::kGray) {
            for (const Entry& entry : entries_) {
                if (!IsGraySource(BitCountOf(entry))) break;
                ConvertToGray(files, entry.filePath, workFile, 0, 0);
            }
        }
        state.ResetAll({method, 0, 0});
        SetTrackbars(window, 0, 0);
        CheckRadio(window, kMethodRadios, kMethodRadios[method]);
    }
    Refresh(window);
}

void LogoDownloadGroup::ChooseMethod(plat::DialogWindow& window, int method) {
    const int row = window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS);
    if (row >= 0 && row < static_cast<int>(kMaxLogos))
        ProcessLogoState().settings[static_cast<std::size_t>(row)].halftoneMethod = method;
    Refresh(window);
}

void LogoDownloadGroup::TrackbarsMoved(plat::DialogWindow& window) {
    const int contrast = window.GetPosition(IDC_DOWNLOAD_CONTRAST);
    const int brightness = window.GetPosition(IDC_DOWNLOAD_BRIGHTNESS);
    const int row = window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS);
    if (row >= 0 && row < static_cast<int>(kMaxLogos)) {
        LogoSettings& settings = ProcessLogoState().settings[static_cast<std::size_t>(row)];
        settings.contrast = contrast;
        settings.brightness = brightness;
    }
    window.SetItemTextW(IDC_DOWNLOAD_CONTRAST_VALUE, Decimal(contrast));
    window.SetItemTextW(IDC_DOWNLOAD_BRIGHTNESS_VALUE, Decimal(brightness));
    Refresh(window);
}

void LogoDownloadGroup::ShowSelection(plat::DialogWindow& window) {
    EnableTypeRadios(window);
    const int row = window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS);
    if (row >= 0 && row < static_cast<int>(kMaxLogos)) {
        const LogoSettings& settings = ProcessLogoState().settings[static_cast<std::size_t>(row)];
        SetTrackbars(window, settings.contrast, settings.brightness);
        const int method = settings.halftoneMethod;
        if (method >= 0 && method < 4) CheckRadio(window, kMethodRadios, kMethodRadios[method]);
    }
    Refresh(window);
}

void LogoDownloadGroup::Refresh(plat::DialogWindow& window) {
    const int row = window.ListViewSelectedRow(IDC_DOWNLOAD_LOGOS);
    shownRow_ = row;
    window.Invalidate();
    if (row < 0 || row >= static_cast<int>(entries_.size()) || !sheet_.platform) {
        preview_.reset();
        return;
    }
    const Entry& entry = entries_[static_cast<std::size_t>(row)];
    const LogoSettings& settings = ProcessLogoState().settings[static_cast<std::size_t>(row)];
    PlatformImageFiles files(sheet_.platform->files());
    plat::FileSystem& fileSystem = sheet_.platform->files();
    std::string workFile;
    switch (ProcessLogoState().type) {
        case LogoType::kTransformation: {
            const bool convertible = IsMonochromeSource(BitCountOf(entry));
            EnableAll(window, kMethodRadios, convertible);
            EnableTrackbars(window, convertible);
            const bool converted = convertible && ConvertToMonochrome(files, entry.filePath, workFile, settings.halftoneMethod,
                                                                      settings.contrast, settings.brightness) == kMonochromeWritten;
            preview_ = LoadBitmapImage(fileSystem, converted ? workFile : entry.filePath);
            break;
        }
        case LogoType::kGray:
            EnableAll(window, kMethodRadios, false);
            EnableTrackbars(window, true);
            // A file no gray image comes from shows nothing rather than the last entry's picture.
            preview_.reset();
            if (ConvertToGray(files, entry.filePath, workFile, settings.contrast, settings.brightness) == kGrayWritten)
                preview_ = LoadBitmapImage(fileSystem, workFile);
            break;
        case LogoType::kOriginal:
            EnableAll(window, kMethodRadios, false);
            EnableTrackbars(window, false);
            preview_ = LoadBitmapImage(fileSystem, entry.filePath);
            break;
    }
}

void LogoDownloadGroup::Paint(plat::DialogWindow& window, plat::Canvas& canvas) {
    const plat::Rect area = window.ItemRect(IDC_DOWNLOAD_PREVIEW);
    if (!preview_) {
        canvas.FillRectWithBrushValue(area, kClearedPreviewBrush);
        return;
    }
    // The whole picture over the whole area, whatever its aspect.
    canvas.StretchImage(*preview_, {0, 0, preview_->width, preview_->height}, area, plat::StretchMode::ColorOnColor);
}

void LogoDownloadGroup::DownloadAll(plat::DialogWindow& window) {
    if (entries_.empty()) {
        ShowError(window, "Please select logos first!");
        return;
    }
    if (!sheet_.platform) return;
    std::vector<std::string> paths;
    for (const Entry& entry : entries_) paths.push_back(entry.filePath);
    PlatformImageFiles files(sheet_.platform->files());
    // The whole job is composed before it is opened, so a logo that cannot be encoded sends
    // nothing rather than a download that stops short; spooler failures end the job silently.
    switch (DownloadAllLogos(files, sheet_.platform->rawPrinting(), sheet_.platform->lastError(), printer(), paths,
                             ProcessLogoState().type)) {
        case LogoDownloadStatus::kSizeUnknown: ShowError(window, "Failed to get the size of logo!"); break;
        case LogoDownloadStatus::kTooLarge: ShowError(window, "The total sizes of all the logos is greater 96K!"); break;
        default: break;
    }
}

void LogoDownloadGroup::DeleteWorkFiles() {
    if (!sheet_.platform) return;
    for (const Entry& entry : entries_) sheet_.platform->files().DeleteFileA(WorkFilePath(entry.filePath).c_str());
}

}  // namespace plugin
