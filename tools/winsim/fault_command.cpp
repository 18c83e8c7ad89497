// winsim fault: files held open by another program, files whose access is denied, and registry
// calls that fail.
#include <cstdio>

#include "common/text.h"

#include "platform/sim/api/error_texts.h"
#include "platform/sim/state/file_holds.h"
#include "platform/sim/state/faults.h"
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

// The operation as the registry names it ("setvalue" gives "SetValue"), "*", or empty.
std::string RegistryOperation(const std::string& word) {
    if (word == "*") return word;
    for (const std::string& name : sim::RegistryFaultOperations())
        if (common::EqualsNoCase(word, name)) return name;
    return {};
}

// The fault as the command line that makes it.
std::string DescribeRegistryFault(const sim::RegistryFault& f) {
    return "reg-fail " + f.operation + " " + std::to_string(f.error) +
           (f.times ? " --times " + std::to_string(f.times) : "") + " " + f.keyPath;
}

// fault DIR reg-fail OPERATION|* ERROR [--times N] KEYPATH
int RegFail(const sim::Machine& machine, const Args& rest) {
    std::vector<std::string> words;
    sim::RegistryFault fault;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--times" && i + 1 < rest.size()) {
            unsigned long long times = 0;
            if (!ParseNumberArgument(rest[++i], 1, 0xFFFFFFFFull, times))
                return UsageError("fault", "--times takes a count of calls from 1");
            fault.times = static_cast<std::uint32_t>(times);
        } else if (words.size() < 3 && rest[i].rfind("--", 0) != 0) {
            words.push_back(rest[i]);
        } else {
            return UsageError("fault", "reg-fail: unexpected '" + rest[i] + "'");
        }
    }
    if (words.size() < 3)
        return UsageError("fault", "reg-fail needs an operation, an error code and a key path");
    fault.operation = RegistryOperation(words[0]);
    if (fault.operation.empty()) {
        std::string names;
        for (const std::string& name : sim::RegistryFaultOperations()) names += name + ", ";
        return UsageError("fault", "reg-fail: the operation is one of " + names + "or *, not '" +
                                       words[0] + "'");
    }
    unsigned long long code = 0;
    if (!ParseNumberArgument(words[1], 1, 0x7FFFFFFF, code))
        return UsageError("fault", "reg-fail: the error is a Win32 error code in decimal, not '" +
                                       words[1] + "'");
    fault.error = static_cast<std::int32_t>(code);
    fault.keyPath = words[2];
    if (!sim::IsRegistryFaultPath(fault.keyPath) ||
        fault.keyPath.find_first_of("\r\n") != std::string::npos)
        return UsageError("fault", "reg-fail: '" + fault.keyPath +
                                       "' is not a key path below HKLM, HKCU, HKU or HKCR");
    std::string error;
    if (!sim::AddRegistryFault(machine, fault, error)) return Failure(error);
    return kExitOk;
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
        std::vector<sim::RegistryFault> registryFaults;
        std::string error;
        if (!sim::ReadRegistryFaults(*machine, registryFaults, error)) return Failure(error);
        for (const sim::RegistryFault& f : registryFaults)
            faults.push_back(DescribeRegistryFault(f));
        for (const std::string& f : DescribeSpoolerFaults(*machine, error)) faults.push_back(f);
        if (!error.empty()) return Failure(error);
        if (faults.empty()) std::printf("no faults\n");
        for (const std::string& f : faults) std::printf("%s\n", f.c_str());
        return kExitOk;
    }
    if (action == "reg-fail") return RegFail(*machine, rest);
    if (action == "spooler-fail" || action == "spooler-clear")
        return SpoolerFaultAction(*machine, action, rest);
    if (action == "reg-clear") {
        if (!rest.empty()) return UsageError("fault", "reg-clear takes no arguments");
        std::string error;
        if (!sim::ClearRegistryFaults(*machine, error)) return Failure(error);
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
