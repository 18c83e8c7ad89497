// winsim fault: files held open by another program, and files whose access is denied.
#include <cstdio>

#include "platform/sim/error_texts.h"
#include "platform/sim/file_faults.h"
#include "platform/win_constants.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

// "error 32: The process cannot access the file ..." without the system text's line end.
std::string ErrorDescription(std::uint32_t code) {
    std::string text = sim::ErrorText(code) ? sim::ErrorText(code) : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return "error " + std::to_string(code) + (text.empty() ? "" : ": " + text);
}

bool ParseShare(const std::string& word, std::uint32_t& share) {
    if (word == "none") share = 0;
    else if (word == "read") share = FILE_SHARE_READ;
    else if (word == "write") share = FILE_SHARE_WRITE;
    else if (word == "readwrite") share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    else return false;
    return true;
}

bool ParseAccess(const std::string& word, std::uint32_t& access) {
    if (word == "read") access = GENERIC_READ;
    else if (word == "write") access = GENERIC_WRITE;
    else if (word == "readwrite") access = GENERIC_READ | GENERIC_WRITE;
    else return false;
    return true;
}

}  // namespace

int RunFault(const Args& args) {
    if (args.size() < 2) return UsageError("fault", "needs the machine directory and an action");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const std::string& action = args[1];
    Args rest(args.begin() + 2, args.end());

    if (action == "list") {
        if (!rest.empty()) return UsageError("fault", "list takes no arguments");
        auto faults = sim::ListFileFaults(*machine);
        if (faults.empty()) std::printf("no faults\n");
        for (const std::string& f : faults) std::printf("%s\n", f.c_str());
        return kExitOk;
    }

    std::string path;
    bool haveShare = false;
    std::uint32_t share = 0, access = GENERIC_READ;
    for (size_t i = 0; i < rest.size(); ++i) {
        bool hold = action == "hold-file";
        if (hold && rest[i] == "--share" && i + 1 < rest.size()) {
            if (!ParseShare(rest[++i], share))
                return UsageError("fault", "--share takes none, read, write or readwrite");
            haveShare = true;
        } else if (hold && rest[i] == "--access" && i + 1 < rest.size()) {
            if (!ParseAccess(rest[++i], access))
                return UsageError("fault", "--access takes read, write or readwrite");
        } else if (path.empty() && rest[i].rfind("--", 0) != 0) {
            path = WindowsPathArgument(rest[i]);
            if (path.empty())
                return UsageError("fault", "'" + rest[i] + "' is not a path on drive C");
        } else {
            return UsageError("fault", action + ": unexpected '" + rest[i] + "'");
        }
    }
    if (path.empty()) return UsageError("fault", action + " needs a Windows path");

    std::uint32_t code = 0;
    if (action == "hold-file") {
        if (!haveShare) return UsageError("fault", "hold-file needs --share none|read|write|readwrite");
        code = sim::HoldFileOpen(*machine, path, access, share);
    } else if (action == "deny-file") {
        code = sim::DenyFileAccess(*machine, path);
    } else if (action == "release-file") {
        code = sim::ReleaseFile(*machine, path);
    } else {
        return UsageError("fault", "unknown action '" + action + "'");
    }
    if (code != 0) return Failure(action + " " + path + ": " + ErrorDescription(code));
    return kExitOk;
}

}  // namespace winsim
