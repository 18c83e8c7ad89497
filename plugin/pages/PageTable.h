// The plug-in's property pages: the template, caption and sheet of each, and how each is made.
// The sheet code adds the rows of its sheet in table order.
#pragma once
#include <memory>
#include <span>
#include <string_view>
#include <variant>

#include "platform/property_page.h"
#include "plugin/com/SheetContexts.h"

namespace plugin {

enum class PropertySheetKind { Document, Device };

// The page parameter: the context of the sheet the page is made for.
using SheetContextRef = std::variant<DocSheetContext*, DeviceSheetContext*>;

// Makes the logic of one page for its sheet's context; null for a null context or a context of
// the other sheet.
using PageFactory = std::unique_ptr<plat::PropertyPageLogic> (*)(SheetContextRef context);

struct PageRow {
    int templateId;
    std::u16string_view title;  // the tab's caption, as the template gives it
    PropertySheetKind sheet;
    PageFactory factory;
};

// Every page in the order the sheets add them: the document sheet's six, then the device
// sheet's four.
std::span<const PageRow> PropertyPages();

}  // namespace plugin
