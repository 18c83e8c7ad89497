// The plug-in's property pages: the template, caption and sheet of each, and how each is made.
#include "plugin/pages/PageTable.h"

#include <type_traits>

#include "plugin/pages/Barcode1DPage.h"
#include "plugin/pages/Barcode2DPage.h"
#include "plugin/pages/DownloadPage.h"
#include "plugin/pages/FontPage.h"
#include "plugin/pages/MainPage.h"
#include "plugin/pages/OperationPage.h"
#include "plugin/pages/PageTemplates.h"
#include "plugin/pages/UtilityPage.h"
#include "plugin/pages/VersionPage.h"
#include "plugin/pages/WatermarkPage.h"

namespace plugin {

namespace {

// A page takes its sheet's context; a page that needs none (Version) is made without one.
template <typename Page>
std::unique_ptr<plat::PropertyPageLogic> MakePage(SheetContextRef context) {
    return std::visit(
        [](auto* sheet) -> std::unique_ptr<plat::PropertyPageLogic> {
            using Sheet = std::remove_pointer_t<decltype(sheet)>;
            if (!sheet) return nullptr;
            if constexpr (std::is_constructible_v<Page, Sheet&>)
                return std::make_unique<Page>(*sheet);
            else if constexpr (std::is_default_constructible_v<Page>)
                return std::make_unique<Page>();
            else
                return nullptr;  // a page of the other sheet
        },
        context);
}

constexpr PropertySheetKind kDocument = PropertySheetKind::Document;
constexpr PropertySheetKind kDevice = PropertySheetKind::Device;

constexpr PageRow kPages[] = {
    {IDD_MAIN_PAGE, u"Main", kDocument, &MakePage<MainPage>},
    {IDD_WATERMARK_PAGE, u"Water Mark", kDocument, &MakePage<WatermarkPage>},
    {IDD_OPERATION_PAGE, u"Operation", kDocument, &MakePage<OperationPage>},
    {IDD_BARCODE_1D_PAGE, u"1D Code", kDocument, &MakePage<Barcode1DPage>},
    {IDD_BARCODE_2D_PAGE, u"2D Code", kDocument, &MakePage<Barcode2DPage>},
    {IDD_VERSION_PAGE, u"Version", kDocument, &MakePage<VersionPage>},
    {IDD_UTILITY_PAGE, u"Utility", kDevice, &MakePage<UtilityPage>},
    {IDD_DOWNLOAD_PAGE, u"Download", kDevice, &MakePage<DownloadPage>},
    {IDD_FONT_PAGE, u"Font", kDevice, &MakePage<FontPage>},
    {IDD_VERSION_PAGE, u"Version", kDevice, &MakePage<VersionPage>},
};

}  // namespace

std::span<const PageRow> PropertyPages() { return kPages; }

}  // namespace plugin
