// winsim devmode: the device mode the driver UI stored for a printer (the printer's, or the
// user's), as a person reads it: its place, the public fields that matter here and the private
// block as a hex dump.
#include <cstdio>

#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"
#include "tools/driverui/CallText.h"
#include "tools/driverui/DeviceMode.h"
#include "tools/driverui/DevmodeStore.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

// The simulated registry's root key of a location.
const char* RootName(plat::RegRoot root) {
    return root == plat::RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

void PrintDevmode(const driverui::StoredDevmode& dm) {
    const driverui::PublicDevmode& p = dm.publicPart;
    std::printf("  dmDeviceName   \"%s\"\n", OnOneLine(driverui::Narrow(p.dmDeviceName.str())).c_str());
    std::printf("  dmSize         %u\n", static_cast<unsigned>(p.dmSize));
    std::printf("  dmDriverExtra  %u\n", static_cast<unsigned>(p.dmDriverExtra));
    std::printf("  dmFields       %s\n", driverui::Hex32(p.dmFields).c_str());
    std::printf("  dmFormName     \"%s\"\n", OnOneLine(driverui::Narrow(p.dmFormName.str())).c_str());
    std::printf("  dmPaperSize    %u\n", static_cast<unsigned>(p.dmPaperSize));
    std::printf("private block (%zu bytes, offsets from its start):\n", dm.privateBlock.size());
    DumpHex(dm.privateBlock);
}

}  // namespace

int RunDevmode(const Args& args) {
    bool user = false;
    std::vector<std::string> positional;
    for (const std::string& a : args) {
        if (a == "--user") user = true;
        else if (a.rfind("--", 0) == 0) return UsageError("devmode", "unknown option " + a);
        else positional.push_back(a);
    }
    if (positional.size() != 2)
        return UsageError("devmode", "needs the machine directory and the printer's name");
    auto machine = OpenMachine(positional[0]);
    if (!machine) return kExitFailed;
    const std::string& printer = positional[1];
    const driverui::DevmodeScope scope =
        user ? driverui::DevmodeScope::kUser : driverui::DevmodeScope::kPrinter;
    const driverui::DevmodeLocation at = driverui::LocationOf(scope, printer);

    std::vector<std::string> keyPath{RootName(at.root)};
    std::vector<std::uint8_t> bytes;
    std::uint32_t type = 0;
    bool found = false;
    const std::int32_t read = sim::UpdateRegistry(*machine, [&](sim::reg::Tree& tree, bool&) {
        if (!sim::reg::SplitKeyPath(at.key, keyPath)) return ERROR_FILE_NOT_FOUND;
        sim::reg::Key* key = tree.Find(keyPath);
        sim::reg::Value* value = key ? key->FindValue(at.value) : nullptr;
        if (!value) return ERROR_FILE_NOT_FOUND;
        found = true;
        type = value->type;
        bytes = value->data;
        return ERROR_SUCCESS;
    });
    const std::string where = std::string(user ? "HKCU\\" : "HKLM\\") + at.key + ", value \"" +
                              at.value + "\"";
    if (read != ERROR_SUCCESS && read != ERROR_FILE_NOT_FOUND)
        return Failure("cannot read the registry");
    if (!found) {
        std::printf("no %s device mode stored for \"%s\" (%s)\n", user ? "user's" : "printer's",
                    OnOneLine(printer).c_str(), OnOneLine(where).c_str());
        return kExitOk;
    }
    std::printf("the %s device mode of \"%s\" (%s): %zu bytes\n", user ? "user's" : "printer's",
                OnOneLine(printer).c_str(), OnOneLine(where).c_str(), bytes.size());
    constexpr std::uint32_t kRegBinary = 3;
    std::optional<driverui::StoredDevmode> dm;
    if (type == kRegBinary) dm = driverui::ReadStoredDevmode(bytes);
    if (!dm) {
        std::printf("not a device mode the driver UI wrote (type %u):\n", static_cast<unsigned>(type));
        DumpHex(bytes);
        return kExitFailed;
    }
    PrintDevmode(*dm);
    return kExitOk;
}

}  // namespace winsim
