// winsim mount: copies a package directory onto the machine's drive and places stand-ins for
// the programs the package ships.
#include <cstdio>
#include <fstream>

#include "platform/sim/process/stand_in.h"
#include "platform/sim/state/win_path.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace fs = std::filesystem;

namespace {

// The deliverables a package ships: where they sit in it and the native program behind each.
struct Deliverable {
    const char* folder;  // relative to the package root; "" for the root itself
    const char* file;
    sim::StandIn standIn;
};
const Deliverable kDeliverables[] = {
    {"", "setup.exe", {"setup", 32}},
    {"", "uninstall.exe", {"uninstall", 32}},
    {"USBDrv\\USBDriver", "Install.exe", {"Install", 32}},
    {"USBDrv\\USBDriver_x64", "Install.exe", {"Install", 64}},
};

// Copies the host tree below `from` to the Windows directory `to`, matching names that already
// exist on the machine without regard to letter case (as Windows would overwrite them).
bool CopyTree(const sim::Machine& machine, const fs::path& from, const std::string& to,
              int& files, std::string& error) {
    std::error_code ec;
    fs::create_directories(machine.HostPath(to), ec);
    if (ec) {
        error = "cannot create " + to + ": " + ec.message();
        return false;
    }
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::string target = to + "\\" + entry.path().filename().string();
        std::error_code typeEc;
        if (entry.is_directory(typeEc)) {
            if (!CopyTree(machine, entry.path(), target, files, error)) return false;
        } else if (entry.is_regular_file(typeEc)) {
            fs::copy_file(entry.path(), machine.HostPath(target),
                          fs::copy_options::overwrite_existing, ec);
            if (ec) {
                error = "cannot copy " + entry.path().string() + " to " + target + ": " +
                        ec.message();
                return false;
            }
            ++files;
        }
    }
    if (ec) {
        error = "cannot read " + from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace

int RunMount(const Args& args) {
    if (args.size() < 2 || args.size() > 3)
        return UsageError("mount", "needs the machine directory, the package directory and "
                                   "optionally the Windows directory");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    fs::path package = args[1];
    std::error_code ec;
    if (!fs::is_directory(package, ec)) return Failure(args[1] + " is not a directory");
    std::string root = WindowsPathArgument(args.size() == 3 ? args[2] : "C:\\Package");
    if (root.empty() || root == "C:\\")
        return UsageError("mount", "the package goes into a folder below C:\\, not '" + args[2] +
                                       "'");
    int files = 0;
    std::string error;
    {
        sim::MachineLock lock(machine->dir());
        if (!CopyTree(*machine, package, root, files, error)) return Failure(error);
    }
    std::printf("mounted %s at %s (%d files)\n", package.string().c_str(), root.c_str(), files);
    for (const Deliverable& d : kDeliverables) {
        std::string folder = *d.folder ? root + "\\" + d.folder : root;
        if (!fs::is_directory(machine->HostPath(folder), ec)) continue;
        std::string path = folder + "\\" + d.file;
        std::ofstream out(machine->HostPath(path), std::ios::binary | std::ios::trunc);
        out << sim::FormatStandIn(d.standIn);
        if (!out.flush()) return Failure("cannot write the stand-in " + path);
        std::printf("stand-in %s runs %s (%d-bit)\n", path.c_str(), d.standIn.program.c_str(),
                    d.standIn.bits);
    }
    return kExitOk;
}

}  // namespace winsim
