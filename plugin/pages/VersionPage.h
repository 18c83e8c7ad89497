// The "Version" page of both sheets: static texts only. It answers the sheet's notifications as
// every page does by default (activation accepted, leaving allowed, apply accepted) and reports
// no result to the driver, so it needs neither behaviour nor a sheet context.
#pragma once
#include "platform/property_page.h"
#include "plugin/pages/PageTemplates.h"

namespace plugin {

class VersionPage final : public plat::PropertyPageLogic {
public:
    static constexpr int kTemplateId = IDD_VERSION_PAGE;
};

}  // namespace plugin
