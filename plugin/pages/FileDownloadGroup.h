// The "File Download" group of the Download page: a file of the printer's own formats
// (firmware, data, fonts, EEPROM contents) sent unchanged as one raw job "FIRMWARE".
#pragma once
#include "platform/dialog.h"
#include "plugin/com/SheetContexts.h"

namespace plugin {

class FileDownloadGroup {
public:
    explicit FileDownloadGroup(DeviceSheetContext& sheet) : sheet_(sheet) {}

    // The page opens: "Browse" enabled, "Download" disabled (the path field is read-only in
    // the template).
    void Open(plat::DialogWindow& window);
    // True when `id` is one of the group's buttons.
    bool OnCommand(plat::DialogWindow& window, int id, int code);

private:
    void Browse(plat::DialogWindow& window);
    void Download(plat::DialogWindow& window);

    DeviceSheetContext& sheet_;
};

}  // namespace plugin
