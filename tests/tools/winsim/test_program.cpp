// A small program for winsim's tests: it runs on the simulated machine like a deliverable and
// does what its arguments say, one step per argument pair, so a test can drive the desktop.
//
//   say TEXT        writes TEXT to the transcript
//   box TYPE:TEXT   shows a message box of MB_* type TYPE (decimal), writes the answer
//   mutex NAME      creates the named mutex, writes whether it already existed
//   find TITLE      finds the window, brings it forward and restores it, as setup does
//   read WINPATH    reads a file, writes its size or the error code
//   regset KEYPATH  creates the key ("HKLM\\SOFTWARE\\X"; HKLM, HKCU, HKU or HKCR) and sets
//                   its value "probe", writes "ok" or the first call's error code
//   where           writes its module path, current directory and word size
//   exit N          ends with status N
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/process/process_start.h"
#include "platform/win_constants.h"

namespace {

// Creates the key and sets a value in it as a program would: ERROR_SUCCESS or the first
// failing call's error code; -1 for a key path of an unknown root.
std::int32_t CreateKeyAndSetValue(plat::Registry& registry, const std::string& keyPath) {
    const std::size_t slash = keyPath.find('\\');
    const std::string rootName = keyPath.substr(0, slash);
    const std::string path = slash == std::string::npos ? "" : keyPath.substr(slash + 1);
    plat::RegRoot root;
    if (rootName == "HKLM") root = plat::RegRoot::LocalMachine;
    else if (rootName == "HKCU") root = plat::RegRoot::CurrentUser;
    else if (rootName == "HKU") root = plat::RegRoot::Users;
    else if (rootName == "HKCR") root = plat::RegRoot::ClassesRoot;
    else return -1;
    std::int32_t rc = registry.CreateKey(root, path.c_str(), plat::RegView::Default);
    if (rc != ERROR_SUCCESS) return rc;
    const std::vector<std::uint8_t> data = {'1', 0};
    return registry.SetValue(root, path.c_str(), "probe", REG_SZ, data,
                             plat::RegView::Default);
}

}  // namespace

int main(int argc, char** argv) {
    auto platform = plat::MakeProcessPlatform();
    if (!platform) return 2;
    plat::Desktop& desktop = platform->desktop();
    auto say = [&](const std::string& text) { desktop.Transcript(text.c_str()); };
    std::vector<std::unique_ptr<plat::Handle>> handles;

    for (int i = 1; i < argc; ++i) {
        std::string step = argv[i];
        std::string arg = i + 1 < argc ? argv[i + 1] : "";
        if (step == "where") {
            std::string error;
            auto context = sim::ProcessFromEnvironment(error);
            char cwd[260] = {};
            platform->files().GetCurrentDirectoryA(sizeof cwd, cwd);
            say("module " + context->modulePath + ", current directory " + cwd + ", " +
                std::to_string(context->bits) + "-bit");
            continue;
        }
        ++i;
        if (step == "say") {
            say(arg);
        } else if (step == "box") {
            size_t colon = arg.find(':');
            auto type = static_cast<std::uint32_t>(std::stoul(arg.substr(0, colon)));
            int answer = desktop.MessageBoxA(0, arg.substr(colon + 1).c_str(), "Probe", type);
            say("answer " + std::to_string(answer));
        } else if (step == "mutex") {
            handles.push_back(desktop.CreateMutexA(true, arg.c_str()));
            bool existed = platform->lastError().GetLastError() == 183;  // ERROR_ALREADY_EXISTS
            say("mutex " + arg + (existed ? " already existed" : " is new"));
        } else if (step == "find") {
            plat::WindowRef window = desktop.FindWindowA(nullptr, arg.c_str());
            if (!window) {
                say("no window " + arg);
                continue;
            }
            desktop.SetForegroundWindow(window);
            if (desktop.IsIconic(window)) desktop.OpenIcon(window);
        } else if (step == "read") {
            std::vector<std::uint8_t> bytes;
            if (platform->files().ReadWholeFile(arg.c_str(), bytes))
                say("read " + std::to_string(bytes.size()) + " bytes");
            else
                say("read failed with error " + std::to_string(platform->lastError().GetLastError()));
        } else if (step == "regset") {
            const std::int32_t rc = CreateKeyAndSetValue(platform->registry(), arg);
            say("regset " + arg + (rc == ERROR_SUCCESS ? " ok" : " failed with error " + std::to_string(rc)));
        } else if (step == "exit") {
            return std::atoi(arg.c_str());
        }
    }
    return 0;
}
