// The machine-wide desktop state: named mutexes and top-level windows, each owned by a process.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// The process that owns a desktop object. Its start time guards against a recycled process id.
// Pid 0 is winsim's own "held until released" owner, which never dies.
struct ProcessOwner {
    long pid = 0;
    std::uint64_t startTime = 0;

    bool held() const { return pid == 0; }
};

// The calling process.
ProcessOwner CurrentProcess();
// False once the owning process has ended (also when its id now names another process).
bool IsAlive(const ProcessOwner& owner);

// One open handle to a named mutex; the mutex exists while any handle to it is open.
struct MutexRecord {
    std::uint64_t id = 0;
    ProcessOwner owner;
    std::string name;  // UTF-8; kernel object names keep their letter case
};

struct WindowRecord {
    std::uint64_t id = 0;  // the WindowRef other processes see
    ProcessOwner owner;
    bool minimized = false;
    std::string className;  // UTF-8, may be empty
    std::string title;      // UTF-8
};

// The whole desktop as stored in the machine's state directory. Windows are kept in z-order,
// topmost first.
struct DesktopState {
    std::uint64_t nextId = 1;
    std::uint64_t foreground = 0;
    std::vector<MutexRecord> mutexes;
    std::vector<WindowRecord> windows;

    const WindowRecord* FindWindowById(std::uint64_t id) const;
    WindowRecord* FindWindowById(std::uint64_t id);
    // The topmost window with that title and class; null matches any. Titles and classes are
    // compared ignoring the letter case of ASCII letters, as FindWindow compares them.
    const WindowRecord* FindWindowByTitle(const char* className, const char* title) const;
    bool MutexExists(const std::string& name) const;
    // Moves a window to the top of the z-order and makes it the foreground window.
    void BringToTop(std::uint64_t id);
};

// Reads the desktop of a machine, without the entries of processes that have ended. The caller
// holds the MachineLock across Load and Save so that the change is atomic.
DesktopState LoadDesktopState(const std::filesystem::path& machineDir);
// Writes the desktop (replacing the file in one step). False when it cannot be written.
bool SaveDesktopState(const std::filesystem::path& machineDir, const DesktopState& state);

}  // namespace sim
