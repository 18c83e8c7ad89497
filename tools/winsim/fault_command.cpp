// winsim fault: files held open by another program or denied, and Win32 calls that fail.
#include <cstdio>

#include "common/text.h"

#include "platform/sim/api/call_faults.h"
#include "platform/sim/api/error_texts.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/file_holds.h"
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

// The fault as the command line that makes it.
std::string DescribeFault(const sim::CallFault& f) {
    return "call " + f.call + " " + std::to_string(f.error) +
           (f.times ? " --times " + std::to_string(f.times) : "") +
           (f.target.empty() ? "" : " --target " + OnOneLine(f.target));
}

// True when every call the fault names acts on that kind of target (a registry key, a
// printer): reg-clear and spooler-clear remove those.
bool FaultOnCallsOf(const sim::CallFault& fault, sim::FaultTarget kind) {
    const auto calls = sim::CallsNamedBy(fault.call);
    if (calls.empty()) return false;
    for (const sim::FaultableCall* call : calls)
        if (call->target != kind) return false;
    return true;
}

// The words of a fault action: positional words (at most `maxWords`), --times N, and
// --target T when `target` is given.
struct FaultWords {
    std::vector<std::string> words;
    std::uint32_t times = 0;
    std::string target;
    bool haveTarget = false;
};

bool SplitFaultWords(const std::string& action, const Args& rest, std::size_t maxWords,
                     bool targetOption, FaultWords& out, int& status) {
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--times" && i + 1 < rest.size()) {
            unsigned long long times = 0;
            if (!ParseNumberArgument(rest[++i], 1, 0xFFFFFFFFull, times)) {
                status = UsageError("fault", "--times takes a count of calls from 1");
                return false;
            }
            out.times = static_cast<std::uint32_t>(times);
        } else if (targetOption && rest[i] == "--target" && i + 1 < rest.size()) {
            out.target = rest[++i];
            out.haveTarget = true;
        } else if (out.words.size() < maxWords && rest[i].rfind("--", 0) != 0) {
            out.words.push_back(rest[i]);
        } else {
            status = UsageError("fault", action + ": unexpected '" + rest[i] + "'");
            return false;
        }
    }
    return true;
}

bool ParseErrorWord(const std::string& action, const std::string& word, std::uint32_t& code,
                    int& status) {
    unsigned long long value = 0;
    if (!ParseNumberArgument(word, 1, 0x7FFFFFFF, value)) {
        status = UsageError("fault", action + ": the error is a Win32 error code in decimal from 1, not '" +
                                         word + "'");
        return false;
    }
    code = static_cast<std::uint32_t>(value);
    return true;
}

// The target in the form the fault list keeps: a key path as written, a file path made
// absolute on drive C, a name as written. Empty with a usage message when it does not fit.
std::string TargetArgument(sim::FaultTarget kind, const std::string& target, std::string& problem) {
    if (target.empty() || target.find_first_of("\r\n") != std::string::npos) {
        problem = "'" + target + "' is not a target";
        return {};
    }
    switch (kind) {
        case sim::FaultTarget::KeyPath:
            if (sim::IsKeyPath(target)) return target;
            problem = "'" + target + "' is not a key path below HKLM, HKCU, HKU or HKCR";
            return {};
        case sim::FaultTarget::FilePath: {
            std::string path = WindowsPathArgument(target);
            if (path.empty()) problem = "'" + target + "' is not a path on drive C";
            return path;
        }
        case sim::FaultTarget::Name: return target;
        case sim::FaultTarget::None: break;
    }
    problem = "the call has no target";
    return {};
}

int AddCallFault(const sim::Machine& machine, sim::CallFault fault) {
    std::string error;
    if (!sim::AddFault(machine, fault, error)) return Failure(error);
    return kExitOk;
}

// fault DIR call NAME ERROR [--times N] [--target T]
int CallFail(const sim::Machine& machine, const Args& rest) {
    FaultWords w;
    int status = 0;
    if (!SplitFaultWords("call", rest, 2, true, w, status)) return status;
    if (w.words.size() != 2) return UsageError("fault", "call needs a call's name and an error code");
    const auto calls = sim::CallsNamedBy(w.words[0]);
    if (calls.empty())
        return UsageError("fault", "call: '" + w.words[0] +
                                       "' names no call the simulator can fail (see winsim help fault)");
    sim::CallFault fault;
    // One call keeps the API's own spelling; a pattern stays as typed.
    fault.call = calls.size() == 1 && w.words[0].back() != '*' ? calls.front()->name : w.words[0];
    if (!ParseErrorWord("call", w.words[1], fault.error, status)) return status;
    fault.times = w.times;
    if (w.haveTarget) {
        for (const sim::FaultableCall* call : calls)
            if (call->target != calls.front()->target)
                return UsageError("fault", "call: --target needs calls of one kind; '" +
                                               w.words[0] + "' names files, keys or printers alike");
        std::string problem;
        fault.target = TargetArgument(calls.front()->target, w.target, problem);
        if (fault.target.empty()) return UsageError("fault", "call: " + problem);
    }
    return AddCallFault(machine, fault);
}

// fault DIR reg-fail OPERATION|* ERROR [--times N] KEYPATH: the registry calls by the
// names of the platform's registry methods.
int RegFail(const sim::Machine& machine, const Args& rest) {
    FaultWords w;
    int status = 0;
    if (!SplitFaultWords("reg-fail", rest, 3, false, w, status)) return status;
    if (w.words.size() < 3)
        return UsageError("fault", "reg-fail needs an operation, an error code and a key path");
    sim::CallFault fault;
    fault.call = sim::RegistryCallOfMethod(w.words[0]);
    if (fault.call.empty())
        return UsageError("fault", "reg-fail: the operation is one of CreateKey, OpenKey, DeleteKey, "
                                   "SetValue, QueryValue, DeleteValue, EnumKeys, EnumValues, or *, not '" +
                                       w.words[0] + "'");
    if (!ParseErrorWord("reg-fail", w.words[1], fault.error, status)) return status;
    fault.times = w.times;
    std::string problem;
    fault.target = TargetArgument(sim::FaultTarget::KeyPath, w.words[2], problem);
    if (fault.target.empty()) return UsageError("fault", "reg-fail: " + problem);
    return AddCallFault(machine, fault);
}

// fault DIR spooler-fail CALL ERROR [--times N]: a spooler call for every printer.
int SpoolerFail(const sim::Machine& machine, const Args& rest) {
    FaultWords w;
    int status = 0;
    if (!SplitFaultWords("spooler-fail", rest, 2, false, w, status)) return status;
    if (w.words.size() != 2)
        return UsageError("fault", "spooler-fail needs a spooler call and an error code");
    const sim::FaultableCall* call = sim::FindFaultableCall(w.words[0]);
    if (!call || call->target != sim::FaultTarget::Name) {
        std::string names;
        for (const sim::FaultableCall& c : sim::FaultableCalls())
            if (c.target == sim::FaultTarget::Name) names += std::string(" ") + c.name;
        return UsageError("fault", "spooler-fail: the call is one of" + names + ", not '" +
                                       w.words[0] + "'");
    }
    sim::CallFault fault;
    fault.call = call->name;
    if (!ParseErrorWord("spooler-fail", w.words[1], fault.error, status)) return status;
    fault.times = w.times;
    return AddCallFault(machine, fault);
}

int ClearCallFaults(const sim::Machine& machine, const std::string& action, const Args& rest) {
    if (!rest.empty()) return UsageError("fault", action + " takes no arguments");
    std::function<bool(const sim::CallFault&)> which;
    if (action == "reg-clear")
        which = [](const sim::CallFault& f) { return FaultOnCallsOf(f, sim::FaultTarget::KeyPath); };
    else if (action == "spooler-clear")
        which = [](const sim::CallFault& f) { return FaultOnCallsOf(f, sim::FaultTarget::Name); };
    std::string error;
    if (!sim::ClearFaults(machine, error, which)) return Failure(error);
    return kExitOk;
}

int List(const sim::Machine& machine, const Args& rest) {
    if (!rest.empty()) return UsageError("fault", "list takes no arguments");
    std::vector<std::string> lines;
    for (const std::string& hold : sim::ListFileHolds(machine)) lines.push_back(OnOneLine(hold));
    std::vector<sim::CallFault> faults;
    std::string error;
    if (!sim::ReadFaults(machine, faults, error)) return Failure(error);
    for (const sim::CallFault& f : faults) lines.push_back(DescribeFault(f));
    if (lines.empty()) std::printf("no faults\n");
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return kExitOk;
}

// hold-file, deny-file and release-file.
int FileAction(const sim::Machine& machine, const std::string& action, const Args& rest) {
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
        code = sim::HoldFileOpen(machine, path, access, share);
    } else if (action == "deny-file") {
        code = sim::DenyFileAccess(machine, path);
    } else {
        code = sim::ReleaseFile(machine, path);
    }
    if (code != 0) return Failure(action + " " + path + ": " + ErrorDescription(code));
    return kExitOk;
}

}  // namespace

int RunFault(const Args& args) {
    if (args.size() < 2) return UsageError("fault", "needs the machine directory and an action");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const std::string& action = args[1];
    Args rest(args.begin() + 2, args.end());

    if (action == "list") return List(*machine, rest);
    if (action == "call") return CallFail(*machine, rest);
    if (action == "reg-fail") return RegFail(*machine, rest);
    if (action == "spooler-fail") return SpoolerFail(*machine, rest);
    if (action == "call-clear" || action == "reg-clear" || action == "spooler-clear")
        return ClearCallFaults(*machine, action, rest);
    if (action == "hold-file" || action == "deny-file" || action == "release-file")
        return FileAction(*machine, action, rest);
    return UsageError("fault", "unknown action '" + action + "'");
}

}  // namespace winsim
