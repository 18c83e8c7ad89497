// The "Logo Download" group of the Download page: up to nine bitmap files, how they become
// printer images (the logo type and each entry's halftone, contrast and brightness), a preview
// of the selected entry, and the jobs that store or clear the printer's logos.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/pixel_image.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/LogoSettings.h"

namespace plugin {

class LogoDownloadGroup {
public:
    explicit LogoDownloadGroup(DeviceSheetContext& sheet) : sheet_(sheet) {}

    void Open(plat::DialogWindow& window);
    // True when `id` is one of the group's controls.
    bool OnCommand(plat::DialogWindow& window, int id, int code);
    void OnScroll(plat::DialogWindow& window, int id, int code);
    // Notifications of the list and the trackbars; true when the group changed a setting that
    // the sheet should hear of (a trackbar let go).
    bool OnNotify(plat::DialogWindow& window, int id, int code);
    void Paint(plat::DialogWindow& window, plat::Canvas& canvas);
    // The sheet applies or is cancelled: the work files of every listed entry go.
    void DeleteWorkFiles();

private:
    struct Entry {
        std::u16string path;   // as the user chose it, shown in the list
        std::string filePath;  // the same in the system code page, as the file functions take it
    };

    void Add(plat::DialogWindow& window);
    void Delete(plat::DialogWindow& window);
    void ChooseType(plat::DialogWindow& window, LogoType type);
    void ChooseMethod(plat::DialogWindow& window, int method);
    void TrackbarsMoved(plat::DialogWindow& window);
    void ShowSelection(plat::DialogWindow& window);
    // The preview of the selected entry, after converting it with its settings: the halftone
    // radios and trackbars as its type and file allow, and a repaint.
    void Refresh(plat::DialogWindow& window);
    void DownloadAll(plat::DialogWindow& window);

    void EnableTypeRadios(plat::DialogWindow& window);
    void SetTrackbars(plat::DialogWindow& window, int contrast, int brightness);
    plat::PrinterHandle printer() const;
    unsigned BitCountOf(const Entry& entry);

    DeviceSheetContext& sheet_;
    std::vector<Entry> entries_;  // the list's rows, in order
    int shownRow_ = -1;           // the entry the preview and controls were last set for
    std::optional<plat::PixelImage> preview_;  // nothing: the area is cleared
};

}  // namespace plugin
