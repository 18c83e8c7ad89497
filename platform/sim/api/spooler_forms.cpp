// The simulated spooler's form calls: the print provider's forms through a printer handle.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/api/spooler.h"
#include "platform/sim/state/code_page.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

std::string NameOf(const char16_t* name) { return name ? Utf16ToUtf8(name) : std::string(); }

SimForm FormOf(const plat::FORM_INFO_1W& info) {
    SimForm form;
    form.name = NameOf(info.pName);
    form.flags = info.Flags;
    form.cx = info.Size.cx;
    form.cy = info.Size.cy;
    form.left = info.ImageableArea.left;
    form.top = info.ImageableArea.top;
    form.right = info.ImageableArea.right;
    form.bottom = info.ImageableArea.bottom;
    return form;
}

}  // namespace

bool SimSpooler::FormCallAllowed(plat::PrinterHandle printer, std::uint32_t level, bool changes) {
    if (SpoolerDown()) return false;
    if (machine_.settings().platformId != 2) {
        std::fprintf(stderr, "simulated spooler: forms on Windows 9x are not simulated\n");
        return Fail(ERROR_NOT_SUPPORTED);
    }
    const OpenPrinter* open = Find(printer);
    if (!open) return false;
    if (!open->xcvMonitor.empty()) return Fail(ERROR_INVALID_HANDLE);
    if (level == 2 && machine_.settings().major >= 6) {
        std::fprintf(stderr, "simulated spooler: FORM_INFO_2W is not simulated\n");
        return Fail(ERROR_NOT_SUPPORTED);
    }
    if (level != 1) return Fail(ERROR_INVALID_LEVEL);
    // Forms belong to the print server: changing them takes the right to administer it.
    if (changes && !machine_.settings().administrator) return Fail(ERROR_ACCESS_DENIED);
    return true;
}

bool SimSpooler::EnumFormsW(plat::PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                            std::uint32_t size, std::uint32_t& needed, std::uint32_t& returned) {
    needed = returned = 0;
    if (Faulted("EnumFormsW", "") || !FormCallAllowed(printer, level, false)) return false;
    std::vector<std::u16string> names;
    const std::vector<SimForm> forms = provider_.Forms();
    for (const SimForm& form : forms) names.push_back(Utf8ToUtf16(form.name));
    const std::size_t records = forms.size() * sizeof(plat::FORM_INFO_1W);
    std::size_t total = records;
    for (const std::u16string& name : names) total += (name.size() + 1) * sizeof(char16_t);
    needed = static_cast<std::uint32_t>(total);
    if (!buffer || size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
    // Records first, each name behind them; memcpy, since the caller's buffer need not be
    // aligned for the records.
    std::size_t text = records;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        auto* name = reinterpret_cast<char16_t*>(buffer + text);
        const std::size_t bytes = (names[i].size() + 1) * sizeof(char16_t);
        std::memcpy(buffer + text, names[i].c_str(), bytes);
        text += bytes;
        const SimForm& f = forms[i];
        const plat::FORM_INFO_1W record{f.flags, name, {f.cx, f.cy},
                                        {f.left, f.top, f.right, f.bottom}};
        std::memcpy(buffer + i * sizeof record, &record, sizeof record);
    }
    returned = static_cast<std::uint32_t>(forms.size());
    return true;
}

bool SimSpooler::AddFormW(plat::PrinterHandle printer, std::uint32_t level,
                          const plat::FORM_INFO_1W& form) {
    const SimForm added = FormOf(form);
    if (Faulted("AddFormW", added.name) || !FormCallAllowed(printer, level, true)) return false;
    const std::uint32_t result = provider_.AddForm(added);
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::SetFormW(plat::PrinterHandle printer, const char16_t* name, std::uint32_t level,
                          const plat::FORM_INFO_1W& form) {
    const std::string target = NameOf(name);
    if (Faulted("SetFormW", target) || !FormCallAllowed(printer, level, true)) return false;
    if (target.empty()) return Fail(ERROR_INVALID_FORM_NAME);
    const std::uint32_t result = provider_.SetForm(target, FormOf(form));
    return result == ERROR_SUCCESS || Fail(result);
}

bool SimSpooler::DeleteFormW(plat::PrinterHandle printer, const char16_t* name) {
    const std::string target = NameOf(name);
    if (Faulted("DeleteFormW", target) || !FormCallAllowed(printer, 1, true)) return false;
    if (target.empty()) return Fail(ERROR_INVALID_FORM_NAME);
    const std::uint32_t result = provider_.DeleteForm(target);
    return result == ERROR_SUCCESS || Fail(result);
}

}  // namespace sim
