// winsim: creates simulated Windows machines, runs the deliverables on them and shows their state.
#include <cstdio>
#include <string>

#include "tools/winsim/winsim.h"

namespace {

void PrintOverview() {
    std::printf(
        "usage: winsim COMMAND [ARGUMENTS]\n"
        "\n"
        "winsim keeps simulated Windows machines in directories and runs the package's programs\n"
        "on them. A machine holds its settings (machine.ini), its drive C (drive_c/), its\n"
        "registry (registry.reg), its desktop state (state/) and the transcript of everything a\n"
        "person at it would have seen and answered (transcript.log).\n"
        "\n"
        "commands:\n");
    for (const winsim::Command& c : winsim::Commands())
        std::printf("  %s\n      %s\n", c.synopsis, c.summary);
    std::printf(
        "\n"
        "  help COMMAND\n"
        "      Describe one command in full.\n"
        "\n"
        "Windows paths may use \\ or / and ignore letter case; relative ones start at C:\\.\n"
        "Exit status: 0 done, 1 the command failed, 2 the command line is wrong; 'run' exits\n"
        "with the program's own status (see 'winsim help run').\n");
}

int Help(const std::string& name) {
    const winsim::Command* c = winsim::FindCommand(name);
    if (!c) {
        std::fprintf(stderr, "winsim: no command '%s' (winsim --help lists them)\n", name.c_str());
        return winsim::kExitUsage;
    }
    std::printf("usage: winsim %s\n\n%s", c->synopsis, c->help);
    return winsim::kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintOverview();
        return winsim::kExitUsage;
    }
    std::string command = argv[1];
    winsim::Args args(argv + 2, argv + argc);
    if (command == "--help" || command == "-h") {
        PrintOverview();
        return winsim::kExitOk;
    }
    if (command == "help") {
        if (args.empty()) {
            PrintOverview();
            return winsim::kExitOk;
        }
        return Help(args[0]);
    }
    const winsim::Command* c = winsim::FindCommand(command);
    if (!c) {
        std::fprintf(stderr, "winsim: no command '%s' (winsim --help lists them)\n",
                     command.c_str());
        return winsim::kExitUsage;
    }
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return Help(command);
    return c->run(args);
}
