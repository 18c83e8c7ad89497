// The simulated Windows machine: a directory that holds its settings, its C: drive, its
// registry and its desktop state, shared by every process that runs on it.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What the machine reports about itself. Stored as "machine.ini" in the machine directory.
struct MachineSettings {
    std::string preset;             // the preset it was created from, for people
    std::string productName;        // "Windows 7 Professional", for people
    std::uint32_t major = 6;
    std::uint32_t minor = 1;
    std::uint32_t build = 7601;
    std::uint32_t platformId = 2;   // VER_PLATFORM_*
    std::uint8_t productType = 1;   // VER_NT_*
    std::string csdVersion;         // "Service Pack 1"
    std::uint16_t architecture = 9; // PROCESSOR_ARCHITECTURE_* of the machine
    bool hasNativeSystemInfo = true;  // GetNativeSystemInfo exists
    bool hasIsWow64Process = true;    // IsWow64Process exists
    bool administrator = true;      // the user is in the Administrators group
    std::uint32_t codePage = 1252;  // system 8-bit code page
    double timeScale = 1.0;         // real sleep = requested sleep x timeScale
    std::string windowsDir = "C:\\Windows";
    std::string tempDir = "C:\\Windows\\Temp";
    std::string userName = "User";

    bool is64Bit() const { return architecture == 9 || architecture == 6; }
    std::string systemDir() const { return windowsDir + "\\System32"; }
    // The 32-bit system directory of a 64-bit machine.
    std::string systemWow64Dir() const { return windowsDir + "\\SysWOW64"; }
};

// The largest time scale: a second of Sleep then takes at most 100 real seconds.
inline constexpr double kMaxTimeScale = 100.0;

// Settings as key=value text, and back. Unknown keys are an error: a typo must not pass as a
// default. Text written by FormatSettings reads back as the same settings.
std::string FormatSettings(const MachineSettings& s);
bool ParseSettings(const std::string& text, MachineSettings& out, std::string& error);
// Sets one setting by its key in machine.ini ("major", "admin", "timescale", ...), checked and
// cleaned once here so that what is stored reads back the same: no value holds a line break
// or another control character, blanks at either end are dropped, numbers fit their fields,
// the time scale is a finite number from 0 to kMaxTimeScale, and the Windows and temporary
// directories are absolute paths below C:\ in the form Windows would give them.
bool SetSetting(MachineSettings& s, const std::string& key, const std::string& value,
                std::string& error);

// A named starting point for a machine.
struct Preset {
    std::string name;
    std::string description;
    MachineSettings settings;
};
const std::vector<Preset>& Presets();
const Preset* FindPreset(const std::string& name);

// An exclusive lock over the whole machine, held for one state-changing operation. Locks are
// advisory file locks, so they also order operations of different processes. Re-entrant within
// one thread.
class MachineLock {
public:
    explicit MachineLock(const std::filesystem::path& machineDir);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

private:
    int fd_ = -1;
    std::string depthKey_;
};

class Machine {
public:
    // Creates a new machine directory (which must not exist or be empty) from a preset, with
    // the usual Windows directories on drive C.
    static std::optional<Machine> Create(const std::filesystem::path& dir, const Preset& preset,
                                         std::string& error);
    // Opens an existing machine, first removing the temporary files that writers killed
    // before they finished left behind (stray_temp_files.h).
    static std::optional<Machine> Open(const std::filesystem::path& dir, std::string& error);

    const std::filesystem::path& dir() const { return dir_; }
    const MachineSettings& settings() const { return settings_; }
    // Rewrites machine.ini.
    bool SaveSettings(const MachineSettings& s, std::string& error);

    std::filesystem::path driveC() const { return dir_ / "drive_c"; }
    std::filesystem::path registryFile() const { return dir_ / "registry.reg"; }
    std::filesystem::path transcriptFile() const { return dir_ / "transcript.log"; }
    std::filesystem::path stateDir() const { return dir_ / "state"; }

    // The host path of an absolute Windows path on drive C ("C:\\Windows\\win.ini"). Existing
    // components are matched without regard to letter case; the rest keep the given case.
    // Empty for a path on another drive or a malformed one.
    std::filesystem::path HostPath(const std::string& absoluteWindowsPath) const;

private:
    Machine(std::filesystem::path dir, MachineSettings s)
        : dir_(std::move(dir)), settings_(std::move(s)) {}
    std::filesystem::path dir_;
    MachineSettings settings_;
};

}  // namespace sim
