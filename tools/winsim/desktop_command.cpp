// winsim desktop: the machine's windows and named mutexes, and ones winsim holds itself.
#include <cstdio>

#include "common/text.h"
#include "platform/sim/state/desktop_state.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

std::string OwnerText(const sim::ProcessOwner& owner) {
    return owner.held() ? "held by winsim" : "pid " + std::to_string(owner.pid);
}

int ListWindows(const sim::DesktopState& state) {
    if (state.windows.empty()) std::printf("no windows\n");
    // Topmost first, as FindWindowA searches them.
    for (const sim::WindowRecord& w : state.windows) {
        std::printf("window %llu \"%s\"", static_cast<unsigned long long>(w.id),
                    OnOneLine(w.title).c_str());
        if (!w.className.empty()) std::printf(" class \"%s\"", OnOneLine(w.className).c_str());
        if (w.minimized) std::printf(" minimised");
        if (w.id == state.foreground) std::printf(" foreground");
        std::printf(" (%s)\n", OwnerText(w.owner).c_str());
    }
    return kExitOk;
}

int ListMutexes(const sim::DesktopState& state) {
    if (state.mutexes.empty()) std::printf("no mutexes\n");
    for (const sim::MutexRecord& m : state.mutexes)
        std::printf("mutex \"%s\" (%s)\n", OnOneLine(m.name).c_str(), OwnerText(m.owner).c_str());
    return kExitOk;
}

}  // namespace

int RunDesktop(const Args& args) {
    if (args.size() < 2) return UsageError("desktop", "needs the machine directory and an action");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const std::string& action = args[1];
    Args rest(args.begin() + 2, args.end());

    sim::MachineLock lock(machine->dir());
    sim::DesktopState state = sim::LoadDesktopState(machine->dir());
    auto save = [&]() {
        return sim::SaveDesktopState(machine->dir(), state)
                   ? kExitOk
                   : Failure("cannot write the desktop state of " + machine->dir().string());
    };

    if (action == "windows" || action == "mutexes") {
        if (!rest.empty()) return UsageError("desktop", action + " takes no arguments");
        return action == "windows" ? ListWindows(state) : ListMutexes(state);
    }
    if (action == "open-window") {
        sim::WindowRecord w;
        bool haveTitle = false;
        for (size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == "--minimized") {
                w.minimized = true;
            } else if (rest[i] == "--class" && i + 1 < rest.size()) {
                w.className = rest[++i];
            } else if (!haveTitle && rest[i].rfind("--", 0) != 0) {
                w.title = rest[i];
                haveTitle = true;
            } else {
                return UsageError("desktop", "open-window: unexpected '" + rest[i] + "'");
            }
        }
        if (!haveTitle) return UsageError("desktop", "open-window needs the window's title");
        // Programs find a stand-in window by its title; an empty one is almost always an unset
        // shell variable, not a window anyone looks for.
        if (w.title.empty())
            return UsageError("desktop", "open-window needs a title that is not empty");
        w.id = state.nextId++;
        state.windows.insert(state.windows.begin(), w);
        if (!w.minimized) state.foreground = w.id;
        int rc = save();
        if (rc == kExitOk)
            std::printf("opened window %llu \"%s\"%s\n", static_cast<unsigned long long>(w.id),
                        OnOneLine(w.title).c_str(), w.minimized ? " minimised" : "");
        return rc;
    }
    if (rest.size() != 1) return UsageError("desktop", action + " needs exactly one name");
    const std::string& name = rest[0];
    if (action == "close-window") {
        // Only winsim's own windows: a program's window closes when the program closes it.
        auto before = state.windows.size();
        std::erase_if(state.windows, [&](const sim::WindowRecord& w) {
            return w.owner.held() && common::EqualsNoCase(w.title, name);
        });
        if (state.windows.size() == before)
            return Failure("winsim holds no window titled \"" + name + "\"");
        if (!state.FindWindowById(state.foreground)) state.foreground = 0;
        return save();
    }
    if (action == "hold-mutex") {
        // CreateMutexA with an empty name makes an unnamed mutex that no other program meets.
        if (name.empty()) return UsageError("desktop", "hold-mutex needs a name that is not empty");
        sim::MutexRecord m;
        m.id = state.nextId++;
        m.name = name;
        state.mutexes.push_back(m);
        return save();
    }
    if (action == "release-mutex") {
        auto before = state.mutexes.size();
        std::erase_if(state.mutexes,
                      [&](const sim::MutexRecord& m) { return m.owner.held() && m.name == name; });
        if (state.mutexes.size() == before)
            return Failure("winsim holds no mutex named \"" + name + "\"");
        return save();
    }
    return UsageError("desktop", "unknown action '" + action + "'");
}

}  // namespace winsim
