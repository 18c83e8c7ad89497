// The machine-wide desktop state, stored as one text file in the machine's state directory.
#include "platform/sim/state/desktop_state.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "common/text.h"
#include "platform/sim/state/host_file.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// One record a line, fields separated by tabs; tabs, line breaks and backslashes inside a
// field are escaped so that any title survives the round trip.
std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char n = s[++i];
        out += n == 't' ? '\t' : n == 'n' ? '\n' : n == 'r' ? '\r' : n;
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return fields;
}

std::uint64_t ToNumber(const std::string& s) {
    std::uint64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return 0;
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    return n;
}

fs::path StateFile(const fs::path& machineDir) { return machineDir / "state" / "desktop.txt"; }

// The start time of a process in clock ticks since boot (field 22 of /proc/PID/stat), and
// whether it is still running (a zombie has ended). 0 when the process does not exist.
std::uint64_t StartTimeOf(long pid, bool& running) {
    running = false;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!in || !std::getline(in, text)) return 0;
    // The command name in parentheses may hold blanks; the fields after it do not.
    size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    std::uint64_t start = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 3) running = field != "Z" && field != "X";
        if (index == 22) {
            start = ToNumber(field);
            break;
        }
    }
    return start;
}

}  // namespace

ProcessOwner CurrentProcess() {
    ProcessOwner owner;
    owner.pid = static_cast<long>(::getpid());
    bool running = false;
    owner.startTime = StartTimeOf(owner.pid, running);
    return owner;
}

bool IsAlive(const ProcessOwner& owner) {
    if (owner.held()) return true;
    bool running = false;
    std::uint64_t start = StartTimeOf(owner.pid, running);
    if (start == 0) {
        // No /proc entry to read: fall back to asking whether the id exists at all.
        return ::kill(static_cast<pid_t>(owner.pid), 0) == 0 || errno == EPERM;
    }
    return running && start == owner.startTime;
}

const WindowRecord* DesktopState::FindWindowById(std::uint64_t id) const {
    for (const WindowRecord& w : windows)
        if (w.id == id) return &w;
    return nullptr;
}

WindowRecord* DesktopState::FindWindowById(std::uint64_t id) {
    for (WindowRecord& w : windows)
        if (w.id == id) return &w;
    return nullptr;
}

const WindowRecord* DesktopState::FindWindowByTitle(const char* className,
                                                    const char* title) const {
    for (const WindowRecord& w : windows) {
        if (title && !common::EqualsNoCase(w.title, title)) continue;
        if (className && !common::EqualsNoCase(w.className, className)) continue;
        return &w;
    }
    return nullptr;
}

bool DesktopState::MutexExists(const std::string& name) const {
    return std::any_of(mutexes.begin(), mutexes.end(),
                       [&](const MutexRecord& m) { return m.name == name; });
}

void DesktopState::BringToTop(std::uint64_t id) {
    auto it = std::find_if(windows.begin(), windows.end(),
                           [&](const WindowRecord& w) { return w.id == id; });
    if (it == windows.end()) return;
    std::rotate(windows.begin(), it, it + 1);
    foreground = id;
}

DesktopState LoadDesktopState(const fs::path& machineDir) {
    DesktopState state;
    std::ifstream in(StateFile(machineDir));
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f = SplitTabs(line);
        if (f[0] == "next-id" && f.size() >= 2) {
            state.nextId = std::max<std::uint64_t>(1, ToNumber(f[1]));
        } else if (f[0] == "foreground" && f.size() >= 2) {
            state.foreground = ToNumber(f[1]);
        } else if (f[0] == "mutex" && f.size() >= 5) {
            MutexRecord m;
            m.id = ToNumber(f[1]);
            m.owner.pid = static_cast<long>(ToNumber(f[2]));
            m.owner.startTime = ToNumber(f[3]);
            m.name = f[4];
            if (IsAlive(m.owner)) state.mutexes.push_back(m);
        } else if (f[0] == "window" && f.size() >= 7) {
            WindowRecord w;
            w.id = ToNumber(f[1]);
            w.owner.pid = static_cast<long>(ToNumber(f[2]));
            w.owner.startTime = ToNumber(f[3]);
            w.minimized = f[4] == "minimized";
            w.className = f[5];
            w.title = f[6];
            if (IsAlive(w.owner)) state.windows.push_back(w);
        }
    }
    if (!state.FindWindowById(state.foreground)) state.foreground = 0;
    return state;
}

bool SaveDesktopState(const fs::path& machineDir, const DesktopState& state) {
    std::ostringstream out;
    out << "next-id\t" << state.nextId << "\n";
    out << "foreground\t" << state.foreground << "\n";
    for (const MutexRecord& m : state.mutexes)
        out << "mutex\t" << m.id << "\t" << m.owner.pid << "\t" << m.owner.startTime << "\t"
            << Escape(m.name) << "\n";
    for (const WindowRecord& w : state.windows)
        out << "window\t" << w.id << "\t" << w.owner.pid << "\t" << w.owner.startTime << "\t"
            << (w.minimized ? "minimized" : "normal") << "\t" << Escape(w.className) << "\t"
            << Escape(w.title) << "\n";
    return ReplaceWholeFile(StateFile(machineDir), out.str());
}

}  // namespace sim
