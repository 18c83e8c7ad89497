// winsim presets, create, show and set: making machines and changing their settings.
#include <algorithm>
#include <cstdio>

#include "platform/sim/state/restart_requests.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

// Applies "KEY=VALUE" words to settings; false with the reason at the first bad one.
bool ApplySettings(sim::MachineSettings& settings, const std::vector<std::string>& words,
                   std::string& error) {
    for (const std::string& word : words) {
        size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "'" + word + "' is not KEY=VALUE";
            return false;
        }
        if (!sim::SetSetting(settings, word.substr(0, eq), word.substr(eq + 1), error))
            return false;
    }
    return true;
}

}  // namespace

int RunPresets(const Args& args) {
    if (!args.empty()) return UsageError("presets", "takes no arguments");
    size_t width = 0;
    for (const sim::Preset& p : sim::Presets()) width = std::max(width, p.name.size());
    for (const sim::Preset& p : sim::Presets())
        std::printf("%-*s  %s\n", static_cast<int>(width), p.name.c_str(), p.description.c_str());
    return kExitOk;
}

int RunCreate(const Args& args) {
    std::string dir, preset;
    std::vector<std::string> settings;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--preset" || args[i] == "--set") {
            if (i + 1 == args.size()) return UsageError("create", args[i] + " needs a value");
            const std::string& option = args[i];
            const std::string& value = args[++i];
            if (option == "--preset")
                preset = value;
            else
                settings.push_back(value);
        } else if (args[i].rfind("--", 0) == 0) {
            return UsageError("create", "unknown option " + args[i]);
        } else if (dir.empty()) {
            dir = args[i];
        } else {
            return UsageError("create", "unexpected argument '" + args[i] + "'");
        }
    }
    if (dir.empty()) return UsageError("create", "needs the machine directory");
    if (preset.empty()) return UsageError("create", "needs --preset NAME (winsim presets lists them)");
    const sim::Preset* base = sim::FindPreset(preset);
    if (!base) return Failure("no preset '" + preset + "' (winsim presets lists them)");
    sim::Preset chosen = *base;
    std::string error;
    if (!ApplySettings(chosen.settings, settings, error)) return Failure(error);
    if (!sim::Machine::Create(dir, chosen, error)) return Failure(error);
    std::printf("created %s from %s\n", dir.c_str(), chosen.name.c_str());
    return kExitOk;
}

int RunShow(const Args& args) {
    if (args.size() != 1) return UsageError("show", "needs the machine directory only");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    std::printf("%s", sim::FormatSettings(machine->settings()).c_str());
    // The machine does not go down when asked to; the requests stay on record.
    for (const sim::RestartRequest& request : sim::RestartRequests(*machine))
        std::printf("requested: %s asked Windows to %s\n", request.program.c_str(),
                    sim::DescribeExitFlags(request.flags).c_str());
    return kExitOk;
}

int RunSet(const Args& args) {
    if (args.size() < 2) return UsageError("set", "needs the machine directory and KEY=VALUE");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    sim::MachineSettings settings = machine->settings();
    std::string error;
    // All or nothing: one bad setting leaves the machine as it was.
    if (!ApplySettings(settings, Args(args.begin() + 1, args.end()), error) ||
        !machine->SaveSettings(settings, error))
        return Failure(error);
    std::printf("%s", sim::FormatSettings(settings).c_str());
    return kExitOk;
}

}  // namespace winsim
