// The pages whose behaviour is not built yet: each shows its template and handles nothing, so
// the sheets can hold every page in its place while the pages are written one by one.
#pragma once
#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

// A page of template `TemplateId` on the sheet whose context is `Context`. It keeps the context
// it was made with, as every page of that sheet will.
template <typename Context, int TemplateId>
class PendingPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = TemplateId;

    explicit PendingPage(Context& sheet) : sheet_(sheet) {}
    Context& sheet() const { return sheet_; }

private:
    Context& sheet_;
};

// Document sheet.
using WatermarkPage = PendingPage<DocSheetContext, IDD_WATERMARK_PAGE>;
// Device sheet.
using DownloadPage = PendingPage<DeviceSheetContext, IDD_DOWNLOAD_PAGE>;

}  // namespace plugin
