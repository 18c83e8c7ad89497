// Version bookkeeping under HKLM's spooler keys, in the native view on 64-bit Windows.
#include "setup/engine/ComponentVersions.h"

#include <vector>

#include "package/PackageTypes.h"
#include "platform/win_constants.h"

namespace setup {

std::string MonitorKey(const std::string& monitorName) {
    return "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\" + monitorName;
}

std::string ProcessorKey(const EngineContext& ctx, const std::string& processorName) {
    const char* environment = pkg::UsesWindows40Environment(ctx.os) ? pkg::kWindows40Environment
                              : ctx.is64Bit                          ? kWindowsX64Environment
                                                                     : kWindowsNtX86Environment;
    return std::string("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\") +
           environment + "\\Print Processors\\" + processorName;
}

ComponentState ReadComponentState(EngineContext& ctx, const std::string& key,
                                  std::uint32_t packageVersion) {
    auto& registry = ctx.platform.registry();
    const auto root = plat::RegRoot::LocalMachine;
    if (registry.OpenKey(root, key.c_str(), ctx.SpoolerView()) != ERROR_SUCCESS)
        return ComponentState::Absent;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (registry.QueryValue(root, key.c_str(), "DriverVersion", type, data, ctx.SpoolerView()) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || data.size() < 4)
        return ComponentState::Older;
    const std::uint32_t installed = data[0] | (data[1] << 8) | (data[2] << 16) |
                                    (static_cast<std::uint32_t>(data[3]) << 24);
    return installed < packageVersion ? ComponentState::Older : ComponentState::Current;
}

void WriteDriverVersion(EngineContext& ctx, const std::string& key, std::uint32_t version) {
    auto& registry = ctx.platform.registry();
    const auto root = plat::RegRoot::LocalMachine;
    registry.CreateKey(root, key.c_str(), ctx.SpoolerView());
    const std::vector<std::uint8_t> data = {
        static_cast<std::uint8_t>(version), static_cast<std::uint8_t>(version >> 8),
        static_cast<std::uint8_t>(version >> 16), static_cast<std::uint8_t>(version >> 24)};
    registry.SetValue(root, key.c_str(), "DriverVersion", REG_DWORD, data, ctx.SpoolerView());
}

void WriteDriverValue(EngineContext& ctx, const std::string& key, const std::string& fileName) {
    auto& registry = ctx.platform.registry();
    const auto root = plat::RegRoot::LocalMachine;
    registry.CreateKey(root, key.c_str(), ctx.SpoolerView());
    std::vector<std::uint8_t> data(fileName.begin(), fileName.end());
    data.push_back(0);
    registry.SetValue(root, key.c_str(), "Driver", REG_SZ, data, ctx.SpoolerView());
}

}  // namespace setup
