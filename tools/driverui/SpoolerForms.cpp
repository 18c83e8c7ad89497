// Listing the spooler's forms with EnumFormsW level 1.
#include "tools/driverui/SpoolerForms.h"

#include <cstring>

#include "platform/forms.h"
#include "platform/win_constants.h"

namespace driverui {

std::vector<FormChoice> FormsOfEnumeration(const std::uint8_t* buffer, std::uint32_t size,
                                           std::uint32_t count) {
    std::vector<FormChoice> forms;
    const std::uint8_t* end = buffer + size;
    for (std::uint32_t i = 0; i < count; ++i) {
        if ((i + 1) * sizeof(plat::FORM_INFO_1W) > size) break;
        plat::FORM_INFO_1W record;
        std::memcpy(&record, buffer + i * sizeof record, sizeof record);
        const auto* name = reinterpret_cast<const std::uint8_t*>(record.pName);
        if (name < buffer || name >= end) break;
        FormChoice form;
        bool terminated = false;
        for (const std::uint8_t* p = name; p + 1 < end; p += 2) {
            char16_t c;
            std::memcpy(&c, p, sizeof c);
            if (c == 0) {
                terminated = true;
                break;
            }
            form.name.push_back(c);
        }
        if (!terminated) break;
        form.paperSize = static_cast<std::uint16_t>(i + 1);
        forms.push_back(std::move(form));
    }
    return forms;
}

std::optional<std::vector<FormChoice>> ListSpoolerForms(plat::Platform& platform,
                                                        plat::PrinterHandle printer) {
    plat::Forms& spooler = platform.forms();
    std::uint32_t needed = 0, returned = 0;
    if (!spooler.EnumFormsW(printer, 1, nullptr, 0, needed, returned) &&
        platform.lastError().GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return std::nullopt;
    // FORM_INFO_1W holds pointers: the buffer is aligned for them.
    std::vector<plat::FORM_INFO_1W> storage(needed / sizeof(plat::FORM_INFO_1W) + 1);
    auto* buffer = reinterpret_cast<std::uint8_t*>(storage.data());
    const auto size = static_cast<std::uint32_t>(storage.size() * sizeof(plat::FORM_INFO_1W));
    if (!spooler.EnumFormsW(printer, 1, buffer, size, needed, returned)) return std::nullopt;
    return FormsOfEnumeration(buffer, size, returned);
}

}  // namespace driverui
