// winsim props: shows a printer's document or device property sheet as the universal printer
// driver's UI does, with the UI plug-in loaded (the driverui program on the machine), and
// prints the transcript lines the run produced.
#include <cstdio>

#include "platform/sim/process/process_start.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/transcript.h"
#include "platform/sim/ui/script.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace fs = std::filesystem;

namespace {

struct PropsOptions {
    std::string machineDir;
    std::string printer;
    std::string sheet;  // "--document" or "--device"
    std::string script;
    std::string binDir;
    int bits = 0;  // 0: the machine's own word size
};

bool ParsePropsOptions(const Args& args, PropsOptions& o, std::string& error) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--document" || a == "--device") {
            if (!o.sheet.empty()) {
                error = "give one of --document and --device";
                return false;
            }
            o.sheet = a;
        } else if (a == "--script" || a == "--bits" || a == "--bin-dir") {
            if (i + 1 == args.size()) {
                error = a + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (a == "--script") o.script = value;
            else if (a == "--bin-dir") o.binDir = value;
            else if (value == "32" || value == "64") o.bits = value == "64" ? 64 : 32;
            else {
                error = "--bits takes 32 or 64, not '" + value + "'";
                return false;
            }
        } else if (a.rfind("--", 0) == 0) {
            error = "unknown option " + a;
            return false;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        error = "needs the machine directory and the printer's name";
        return false;
    }
    if (o.sheet.empty()) {
        error = "needs --document or --device";
        return false;
    }
    o.machineDir = positional[0];
    o.printer = positional[1];
    return true;
}

// The native driverui: DIR/driverui in a directory of programs, else the build tree's.
fs::path DriverUiBinary(const fs::path& binDir) {
    std::error_code ec;
    if (fs::is_regular_file(binDir / "driverui", ec)) return binDir / "driverui";
    return binDir / "tools" / "driverui" / "driverui";
}

}  // namespace

int RunProps(const Args& args) {
    PropsOptions o;
    std::string error;
    if (!ParsePropsOptions(args, o, error)) return UsageError("props", error);
    auto machine = OpenMachine(o.machineDir);
    if (!machine) return kExitCannotRun;
    const sim::MachineSettings& settings = machine->settings();
    // The driver plug-in interface came with Windows 2000.
    if (settings.platformId != 2 || settings.major < 5)
        return CannotStart("props", "the universal printer driver's plug-ins need Windows 2000 or later");
    if (!sim::PrintProvider(*machine).FindPrinter(o.printer))
        return CannotStart("props", "no printer \"" + o.printer +
                                        "\" on the machine ('winsim printer DIR list' lists them)");

    sim::ProcessContext context;
    context.machineDir = machine->dir();
    context.modulePath = settings.systemDir() + "\\driverui.exe";
    context.currentDir = settings.systemDir();
    context.bits = o.bits ? o.bits : settings.is64Bit() ? 64 : 32;
    if (context.bits == 64 && !settings.is64Bit())
        return CannotStart("props", "a 64-bit program cannot run on this 32-bit machine");
    context.transcriptShown = true;
    context.binDir = o.binDir.empty() ? (OwnDirectory() / ".." / "..").lexically_normal()
                                      : fs::path(o.binDir);

    const fs::path binary = DriverUiBinary(context.binDir);
    std::error_code ec;
    if (!fs::is_regular_file(binary, ec))
        return CannotStart("props", "the native program " + binary.string() + " is not built");

    return RunScripted("props", binary, {o.printer, o.sheet}, o.script, context);
}

}  // namespace winsim
