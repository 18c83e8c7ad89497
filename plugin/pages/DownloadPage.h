// The "Download" page of the device sheet: the stored-logo list with its download, and the
// download of a printer file. Nothing on it is a setting of the device mode; Apply only tells
// the driver the page agrees and, like Cancel, removes the logos' work files.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/FileDownloadGroup.h"
#include "plugin/pages/LogoDownloadGroup.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class DownloadPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_DOWNLOAD_PAGE;

    explicit DownloadPage(DeviceSheetContext& sheet) : sheet_(sheet), logos_(sheet), file_(sheet) {}
    DeviceSheetContext& sheet() const { return sheet_; }

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    void OnScroll(plat::DialogWindow& window, int id, int code) override;
    void OnControlNotify(plat::DialogWindow& window, int id, int code) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;
    plat::ApplyResult OnApply(plat::DialogWindow& window) override;
    bool OnQueryCancel(plat::DialogWindow& window) override;
    void OnReset(plat::DialogWindow& window) override;

private:
    DeviceSheetContext& sheet_;
    LogoDownloadGroup logos_;
    FileDownloadGroup file_;
};

}  // namespace plugin
