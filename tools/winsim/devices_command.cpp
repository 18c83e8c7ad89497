// winsim devices: the machine's device tree with classes, hardware ids and bound drivers.
#include <cstdio>
#include <string>

#include "platform/sim/state/device_tree.h"
#include "tools/winsim/winsim.h"

namespace winsim {

int RunDevices(const Args& args) {
    if (args.size() != 1) return UsageError("devices", "needs the machine directory");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    for (const sim::DeviceRecord& d : sim::ReadDevices(*machine)) {
        std::printf("%s  %s  class %s\n", d.instanceId.c_str(),
                    d.present ? "present" : "not-present",
                    d.className.empty() ? "-" : (d.className + " " + d.classGuid).c_str());
        std::string ids;
        for (const std::string& id : d.hardwareIds) ids += (ids.empty() ? "" : ", ") + id;
        std::printf("    hardware ids: %s\n", ids.empty() ? "-" : ids.c_str());
        if (!d.description.empty()) std::printf("    description: %s\n", d.description.c_str());
        if (d.driver.empty())
            std::printf("    driver: none\n");
        else
            std::printf("    driver: %s  inf %s  service %s\n", d.driver.c_str(),
                        d.infPath.empty() ? "-" : d.infPath.c_str(),
                        d.service.empty() ? "-" : d.service.c_str());
    }
    return kExitOk;
}

}  // namespace winsim
