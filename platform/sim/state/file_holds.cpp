// Files held open by another program or denied, kept in the machine's open-files table.
#include "platform/sim/state/file_holds.h"

#include <algorithm>
#include <sstream>
#include <system_error>

#include "platform/sim/state/file_state.h"
#include "platform/sim/state/win_path.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// The held-until-released owner.
ProcessOwner Winsim() { return ProcessOwner{}; }

}  // namespace

std::uint32_t HoldFileOpen(const Machine& machine, const std::string& windowsPath,
                           std::uint32_t access, std::uint32_t shareMode) {
    std::string path = AbsoluteWindowsPath("C:\\", windowsPath);
    fs::path host = machine.HostPath(path);
    if (host.empty()) return ERROR_PATH_NOT_FOUND;
    MachineLock lock(machine.dir());
    std::error_code ec;
    if (!fs::is_regular_file(host, ec))
        return fs::is_directory(host.parent_path(), ec) ? ERROR_FILE_NOT_FOUND
                                                        : ERROR_PATH_NOT_FOUND;
    FileStateStore store(machine.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    FileHold hold;
    hold.owner = Winsim();
    hold.access = access;
    hold.shareMode = shareMode;
    hold.key = FileKey(path);
    if (!SharingAllows(holds, hold.key, access, shareMode)) return ERROR_SHARING_VIOLATION;
    holds.push_back(hold);
    return store.WriteHolds(holds) ? 0 : ERROR_WRITE_FAULT;
}

std::uint32_t DenyFileAccess(const Machine& machine, const std::string& windowsPath) {
    std::string path = AbsoluteWindowsPath("C:\\", windowsPath);
    if (machine.HostPath(path).empty()) return ERROR_PATH_NOT_FOUND;
    MachineLock lock(machine.dir());
    FileStateStore store(machine.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    FileHold mark;
    mark.owner = Winsim();
    mark.denied = true;
    mark.key = FileKey(path);
    if (AccessDenied(holds, mark.key)) return 0;
    holds.push_back(mark);
    return store.WriteHolds(holds) ? 0 : ERROR_WRITE_FAULT;
}

std::uint32_t ReleaseFile(const Machine& machine, const std::string& windowsPath) {
    std::string key = FileKey(AbsoluteWindowsPath("C:\\", windowsPath));
    MachineLock lock(machine.dir());
    FileStateStore store(machine.stateDir());
    std::vector<FileHold> holds = store.ReadHolds();
    size_t removed = std::erase_if(
        holds, [&](const FileHold& h) { return h.owner.held() && h.key == key; });
    if (removed == 0) return ERROR_FILE_NOT_FOUND;
    return store.WriteHolds(holds) ? 0 : ERROR_WRITE_FAULT;
}

std::vector<std::string> ListFileHolds(const Machine& machine) {
    MachineLock lock(machine.dir());
    std::vector<std::string> lines;
    for (const FileHold& h : FileStateStore(machine.stateDir()).ReadHolds()) {
        if (!h.owner.held()) continue;
        std::ostringstream line;
        if (h.denied)
            line << "denied " << h.key;
        else
            line << "held " << std::hex << h.access << ' ' << h.shareMode << ' ' << h.key;
        lines.push_back(line.str());
    }
    return lines;
}

}  // namespace sim
