// The spooler's forms as the driver offers them for the paper size: every form EnumFormsW lists,
// in its order, numbered from 1 as dmPaperSize takes them.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "tools/driverui/PublicDevmode.h"

namespace driverui {

// The forms through the printer handle; nothing, with the thread's last error, when the
// spooler does not list them.
std::optional<std::vector<FormChoice>> ListSpoolerForms(plat::Platform& platform,
                                                        plat::PrinterHandle printer);

// The forms of an EnumFormsW level 1 answer: `count` FORM_INFO_1W records at the start of the
// buffer, their names behind them. A name pointer outside the buffer, or a name without its
// terminator inside it, ends the list there, so a bad answer is never read past its end.
std::vector<FormChoice> FormsOfEnumeration(const std::uint8_t* buffer, std::uint32_t size,
                                           std::uint32_t count);

}  // namespace driverui
