// Device modes in the registry where Windows keeps them, or in memory.
#include "tools/driverui/DevmodeStore.h"

#include "platform/win_constants.h"

namespace driverui {

namespace {

constexpr std::uint32_t kRegBinary = 3;  // REG_BINARY

}  // namespace

DevmodeLocation LocationOf(DevmodeScope scope, const std::string& printer) {
    if (scope == DevmodeScope::kPrinter)
        return {plat::RegRoot::LocalMachine,
                "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" + printer,
                "Default DevMode"};
    return {plat::RegRoot::CurrentUser, "Printers\\DevModePerUser", printer};
}

std::optional<std::vector<std::uint8_t>> RegistryDevmodeStore::Load(DevmodeScope scope,
                                                                    const std::string& printer) {
    const DevmodeLocation at = LocationOf(scope, printer);
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (registry_.QueryValue(at.root, at.key.c_str(), at.value.c_str(), type, data,
                             plat::RegView::Default) != ERROR_SUCCESS ||
        type != kRegBinary)
        return std::nullopt;
    return data;
}

bool RegistryDevmodeStore::Save(DevmodeScope scope, const std::string& printer,
                                const std::vector<std::uint8_t>& bytes) {
    const DevmodeLocation at = LocationOf(scope, printer);
    // The user's key is made on first use; the printer's belongs to the spooler.
    const std::int32_t opened =
        scope == DevmodeScope::kUser
            ? registry_.CreateKey(at.root, at.key.c_str(), plat::RegView::Default)
            : registry_.OpenKey(at.root, at.key.c_str(), plat::RegView::Default);
    if (opened != ERROR_SUCCESS) return false;
    return registry_.SetValue(at.root, at.key.c_str(), at.value.c_str(), kRegBinary, bytes,
                              plat::RegView::Default) == ERROR_SUCCESS;
}

std::string RegistryDevmodeStore::Where(DevmodeScope scope, const std::string& printer) const {
    const DevmodeLocation at = LocationOf(scope, printer);
    const char* root = at.root == plat::RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\";
    return root + at.key + ", value \"" + at.value + "\"";
}

std::optional<std::vector<std::uint8_t>> MemoryDevmodeStore::Load(DevmodeScope scope,
                                                                  const std::string& printer) {
    auto found = kept_.find({scope, printer});
    if (found == kept_.end()) return std::nullopt;
    return found->second;
}

bool MemoryDevmodeStore::Save(DevmodeScope scope, const std::string& printer,
                              const std::vector<std::uint8_t>& bytes) {
    kept_[{scope, printer}] = bytes;
    return true;
}

std::string MemoryDevmodeStore::Where(DevmodeScope scope, const std::string&) const {
    return scope == DevmodeScope::kPrinter ? "the printer's device mode in memory"
                                           : "the user's device mode in memory";
}

}  // namespace driverui
