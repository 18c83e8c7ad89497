// The simulated Windows machine: settings, presets, the machine lock and drive C's paths.
#include "platform/sim/state/machine.h"

#include <fcntl.h>
#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/print_seed.h"
#include "platform/sim/state/stray_temp_files.h"
#include "platform/sim/state/system_file_seeding.h"
#include "platform/sim/state/timing_journal.h"
#include "platform/sim/state/win_path.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

bool ParseUnsigned(const std::string& v, std::uint32_t& out) {
    std::uint64_t n = 0;
    if (!common::ParseDecimal(v, 0xFFFFFFFFull, n)) return false;
    out = static_cast<std::uint32_t>(n);
    return true;
}

bool ParseBool(const std::string& v, bool& out) {
    if (v == "1" || v == "yes" || v == "true") { out = true; return true; }
    if (v == "0" || v == "no" || v == "false") { out = false; return true; }
    return false;
}

MachineSettings Make(const char* product, std::uint32_t platformId, std::uint32_t major,
                     std::uint32_t minor, std::uint32_t build, std::uint8_t productType,
                     std::uint16_t arch, const char* csd, const char* windowsDir) {
    MachineSettings s;
    s.productName = product;
    s.platformId = platformId;
    s.major = major;
    s.minor = minor;
    s.build = build;
    s.productType = productType;
    s.architecture = arch;
    s.csdVersion = csd;
    s.windowsDir = windowsDir;
    s.tempDir = std::string(windowsDir) + "\\Temp";
    // GetNativeSystemInfo came with XP, IsWow64Process with XP SP2 and Server 2003 SP1.
    bool old = platformId != 2 || major < 5 || (major == 5 && minor == 0);
    s.hasNativeSystemInfo = !old;
    s.hasIsWow64Process = !old;
    if (platformId == 1) s.productType = 0;
    return s;
}

std::vector<Preset> BuildPresets() {
    const std::uint16_t x86 = 0, x64 = 9;
    const std::uint8_t ws = 1, srv = 3;
    std::vector<Preset> p;
    auto add = [&](const char* name, const char* description, MachineSettings s) {
        s.preset = name;
        p.push_back({name, description, s});
    };
    add("windows-95", "Windows 95 (9x platform, 4.0)",
        Make("Windows 95", 1, 4, 0, 950, 0, x86, "", "C:\\WINDOWS"));
    add("windows-98", "Windows 98 (9x platform, 4.10)",
        Make("Windows 98", 1, 4, 10, 2222, 0, x86, "A", "C:\\WINDOWS"));
    add("windows-me", "Windows Me (9x platform, 4.90)",
        Make("Windows Me", 1, 4, 90, 3000, 0, x86, "", "C:\\WINDOWS"));
    add("nt4-x86", "Windows NT 4.0 Workstation",
        Make("Windows NT 4.0", 2, 4, 0, 1381, ws, x86, "Service Pack 6", "C:\\WINNT"));
    add("windows-2000-x86", "Windows 2000 Professional (5.0)",
        Make("Windows 2000 Professional", 2, 5, 0, 2195, ws, x86, "Service Pack 4", "C:\\WINNT"));
    add("xp-x86", "Windows XP Professional (5.1)",
        Make("Windows XP Professional", 2, 5, 1, 2600, ws, x86, "Service Pack 3", "C:\\WINDOWS"));
    add("xp-x64", "Windows XP Professional x64 Edition (5.2 workstation, AMD64)",
        Make("Windows XP Professional x64 Edition", 2, 5, 2, 3790, ws, x64, "Service Pack 2",
             "C:\\WINDOWS"));
    add("server-2003-x86", "Windows Server 2003 (5.2 server)",
        Make("Windows Server 2003", 2, 5, 2, 3790, srv, x86, "Service Pack 2", "C:\\WINDOWS"));
    add("server-2003-x64", "Windows Server 2003 x64 (5.2 server, AMD64)",
        Make("Windows Server 2003 x64", 2, 5, 2, 3790, srv, x64, "Service Pack 2", "C:\\WINDOWS"));
    add("vista-x86", "Windows Vista (6.0 workstation)",
        Make("Windows Vista Business", 2, 6, 0, 6002, ws, x86, "Service Pack 2", "C:\\Windows"));
    add("vista-x64", "Windows Vista x64 (6.0 workstation, AMD64)",
        Make("Windows Vista Business", 2, 6, 0, 6002, ws, x64, "Service Pack 2", "C:\\Windows"));
    add("server-2008-x86", "Windows Server 2008 (6.0 server)",
        Make("Windows Server 2008", 2, 6, 0, 6002, srv, x86, "Service Pack 2", "C:\\Windows"));
    add("server-2008-x64", "Windows Server 2008 x64 (6.0 server, AMD64)",
        Make("Windows Server 2008", 2, 6, 0, 6002, srv, x64, "Service Pack 2", "C:\\Windows"));
    add("server-2008-r2-x64", "Windows Server 2008 R2 (6.1 server, AMD64 only)",
        Make("Windows Server 2008 R2", 2, 6, 1, 7601, srv, x64, "Service Pack 1", "C:\\Windows"));
    add("windows-7-x86", "Windows 7 (6.1 workstation)",
        Make("Windows 7 Professional", 2, 6, 1, 7601, ws, x86, "Service Pack 1", "C:\\Windows"));
    add("windows-7-x64", "Windows 7 x64 (6.1 workstation, AMD64)",
        Make("Windows 7 Professional", 2, 6, 1, 7601, ws, x64, "Service Pack 1", "C:\\Windows"));
    add("windows-8.1-x64", "Windows 8.1 x64 (6.3 workstation, AMD64): newer than 6.1",
        Make("Windows 8.1 Pro", 2, 6, 3, 9600, ws, x64, "", "C:\\Windows"));
    add("windows-10-x64", "Windows 10 x64 (10.0 workstation, AMD64): newer than 6.1",
        Make("Windows 10 Pro", 2, 10, 0, 19045, ws, x64, "", "C:\\Windows"));
    return p;
}

// Per-thread lock depth per machine directory, so that a thread holding the lock may take it
// again (flock would deadlock on a second descriptor).
thread_local std::map<std::string, int> lockDepth;

// A setting's value stays on its line of machine.ini: no line break or other control character.
bool CheckOneLine(const std::string& key, const std::string& value, std::string& error) {
    for (char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n' || c == '\r') {
            error = "setting " + key +
                    " cannot hold a line break (machine.ini keeps one setting a line)";
            return false;
        }
        if (c < 0x20 || c == 0x7F) {
            error = "setting " + key + " cannot hold a control character";
            return false;
        }
    }
    return true;
}

// A time scale: a plain decimal number from 0 to kMaxTimeScale, never NaN or infinite.
bool ParseTimeScale(const std::string& value, double& out) {
    double d = 0;
    const char* first = value.data();
    const char* last = first + value.size();
    auto [end, ec] = std::from_chars(first, last, d, std::chars_format::general);
    if (ec != std::errc() || end != last || !std::isfinite(d) || d < 0 || d > kMaxTimeScale)
        return false;
    out = d == 0 ? 0.0 : d;  // "-0" is 0
    return true;
}

// The shortest text that reads back as exactly this number.
std::string FormatTimeScale(double d) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d);
    return ec == std::errc() ? std::string(buf, end) : "1";
}

// A directory setting as Windows would name the directory: absolute on drive C, without "."
// and ".." and without the trailing periods and blanks Windows drops from a name. Cleaning is
// repeated until nothing changes, so the stored path cleans to itself when it is read again.
bool CleanDirectory(const std::string& key, const std::string& value, std::string& out,
                    std::string& error) {
    const std::string bad = "setting " + key + " needs a directory on drive C, not '" + value + "'";
    if (value.find_first_of("<>\"|?*") != std::string::npos ||
        value.find(':', 2) != std::string::npos) {
        error = bad + " (a Windows name cannot hold < > \" | ? * or :)";
        return false;
    }
    std::string path = AbsoluteWindowsPath("C:\\", value);
    for (std::string again; !path.empty() && (again = AbsoluteWindowsPath("C:\\", path)) != path;)
        path = again;
    if (path.rfind("C:\\", 0) != 0 || path.size() <= 3) {
        error = bad;
        return false;
    }
    // A drive-like start of a relative value ("2:\\x") lands inside the cleaned path.
    if (path.find(':', 2) != std::string::npos) {
        error = bad + " (a Windows name cannot hold < > \" | ? * or :)";
        return false;
    }
    out = path;
    return true;
}

}  // namespace

std::string FormatSettings(const MachineSettings& s) {
    std::ostringstream o;
    o << "preset=" << s.preset << "\n"
      << "product=" << s.productName << "\n"
      << "platform=" << s.platformId << "\n"
      << "major=" << s.major << "\n"
      << "minor=" << s.minor << "\n"
      << "build=" << s.build << "\n"
      << "producttype=" << static_cast<unsigned>(s.productType) << "\n"
      << "csd=" << s.csdVersion << "\n"
      << "architecture=" << s.architecture << "\n"
      << "nativesysteminfo=" << (s.hasNativeSystemInfo ? 1 : 0) << "\n"
      << "iswow64process=" << (s.hasIsWow64Process ? 1 : 0) << "\n"
      << "admin=" << (s.administrator ? 1 : 0) << "\n"
      << "codepage=" << s.codePage << "\n"
      << "timescale=" << FormatTimeScale(s.timeScale) << "\n"
      << "windowsdir=" << s.windowsDir << "\n"
      << "tempdir=" << s.tempDir << "\n"
      << "user=" << s.userName << "\n";
    return o.str();
}

bool SetSetting(MachineSettings& s, const std::string& key, const std::string& rawValue,
                std::string& error) {
    if (!CheckOneLine(key, rawValue, error)) return false;
    // Blanks at either end would not survive the file, which trims them.
    const std::string value(common::Trim(rawValue, " \t"));
    std::uint32_t n = 0;
    auto number = [&](std::uint32_t& field, std::uint32_t max = 0xFFFFFFFFu) {
        if (!ParseUnsigned(value, n) || n > max) {
            error = "setting " + key + " needs a whole number from 0 to " + std::to_string(max) +
                    ", not '" + value + "'";
            return false;
        }
        field = n;
        return true;
    };
    auto flag = [&](bool& field) {
        if (!ParseBool(value, field)) {
            error = "setting " + key + " needs 1 or 0, not '" + value + "'";
            return false;
        }
        return true;
    };
    if (key == "preset") { s.preset = value; return true; }
    if (key == "product") { s.productName = value; return true; }
    if (key == "csd") { s.csdVersion = value; return true; }
    if (key == "user") { s.userName = value; return true; }
    if (key == "platform") return number(s.platformId);
    if (key == "major") return number(s.major);
    if (key == "minor") return number(s.minor);
    if (key == "build") return number(s.build);
    if (key == "codepage") return number(s.codePage);
    if (key == "producttype") {
        if (!number(n, 0xFF)) return false;
        s.productType = static_cast<std::uint8_t>(n);
        return true;
    }
    if (key == "architecture") {
        if (!number(n, 0xFFFF)) return false;
        s.architecture = static_cast<std::uint16_t>(n);
        return true;
    }
    if (key == "nativesysteminfo") return flag(s.hasNativeSystemInfo);
    if (key == "iswow64process") return flag(s.hasIsWow64Process);
    if (key == "admin") return flag(s.administrator);
    if (key == "timescale") {
        if (!ParseTimeScale(value, s.timeScale)) {
            error = "setting timescale needs a number from 0 to " + FormatTimeScale(kMaxTimeScale) +
                    ", not '" + value + "'";
            return false;
        }
        return true;
    }
    if (key == "windowsdir" || key == "tempdir")
        return CleanDirectory(key, value, key == "windowsdir" ? s.windowsDir : s.tempDir, error);
    error = "unknown machine setting '" + key + "'";
    return false;
}

bool ParseSettings(const std::string& text, MachineSettings& out, std::string& error) {
    MachineSettings s;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        line = std::string(common::Trim(line));
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            error = "machine.ini line " + std::to_string(lineNo) + ": no '='";
            return false;
        }
        const std::string_view text = line;
        if (!SetSetting(s, std::string(common::Trim(text.substr(0, eq))),
                        std::string(common::Trim(text.substr(eq + 1))), error)) {
            error = "machine.ini line " + std::to_string(lineNo) + ": " + error;
            return false;
        }
    }
    out = s;
    return true;
}

const std::vector<Preset>& Presets() {
    static const std::vector<Preset> presets = BuildPresets();
    return presets;
}

const Preset* FindPreset(const std::string& name) {
    for (const Preset& p : Presets())
        if (common::EqualsNoCase(p.name, name)) return &p;
    return nullptr;
}

MachineLock::MachineLock(const fs::path& machineDir) {
    timing::NoteThread();
    depthKey_ = machineDir.string();
    if (lockDepth[depthKey_]++ > 0) return;
    fd_ = ::open((machineDir / "lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0) {
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    // The lock file is part of every machine; failing to open it means the directory is gone,
    // and the operation that follows reports that itself.
}

MachineLock::~MachineLock() {
    if (--lockDepth[depthKey_] > 0) return;
    if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

std::optional<Machine> Machine::Create(const fs::path& dir, const Preset& preset,
                                       std::string& error) {
    std::error_code ec;
    if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
        error = "machine directory " + dir.string() + " is a file, not a directory";
        return std::nullopt;
    }
    if (fs::exists(dir, ec) && !fs::is_empty(dir, ec)) {
        error = "machine directory " + dir.string() + " exists and is not empty";
        return std::nullopt;
    }
    fs::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string() + ": " + ec.message();
        return std::nullopt;
    }
    Machine m(fs::absolute(dir), preset.settings);
    const MachineSettings& s = m.settings_;
    std::vector<std::string> dirs = {s.windowsDir, s.systemDir(), s.tempDir,
                                     s.windowsDir + "\\Fonts", "C:\\Program Files",
                                     s.windowsDir + "\\inf"};
    if (s.platformId == 2) {
        dirs.push_back(s.systemDir() + "\\spool\\drivers");
        dirs.push_back(s.systemDir() + "\\spool\\prtprocs");
        dirs.push_back(s.systemDir() + "\\drivers");
    }
    if (s.is64Bit()) {
        dirs.push_back(s.systemWow64Dir());
        dirs.push_back("C:\\Program Files (x86)");
    }
    for (const std::string& d : dirs) {
        fs::path host = m.driveC();
        for (const std::string& part : PathComponents(d)) host /= part;
        fs::create_directories(host, ec);
        if (ec) {
            error = "cannot create " + host.string() + ": " + ec.message();
            return std::nullopt;
        }
    }
    fs::create_directories(m.stateDir(), ec);
    std::ofstream(m.registryFile()) << "Windows Registry Editor Version 5.00\r\n\r\n";
    std::ofstream(m.transcriptFile());
    std::ofstream win(m.HostPath(s.windowsDir + "\\win.ini"), std::ios::binary);
    win << "[windows]\r\nload=\r\nrun=\r\n\r\n[Ports]\r\n";
    for (int i = 1; i <= kSeededComPorts; ++i) win << "COM" << i << ":=" << kSeededComSettings << "\r\n";
    win << "LPT1:=\r\nLPT2:=\r\nLPT3:=\r\nFILE:=\r\n";
    win.close();
    if (!SeedPrintSystem(m, error)) return std::nullopt;
    if (!SeedSystemFiles(m, error)) return std::nullopt;
    if (!SeedDeviceTree(m, error)) return std::nullopt;
    // machine.ini comes last and whole: a directory whose making was cut short is no machine.
    if (!win || !ReplaceWholeFile(m.dir_ / "machine.ini", FormatSettings(s))) {
        error = "cannot write the machine's files below " + m.dir_.string();
        return std::nullopt;
    }
    return m;
}

std::optional<Machine> Machine::Open(const fs::path& dir, std::string& error) {
    std::string text;
    if (!ReadWholeFile(dir / "machine.ini", text)) {
        error = dir.string() + " is not a simulated machine (no machine.ini)";
        return std::nullopt;
    }
    MachineSettings s;
    if (!ParseSettings(text, s, error)) {
        error = dir.string() + ": " + error;
        return std::nullopt;
    }
    Machine machine(fs::absolute(dir), s);
    RemoveStrayTempFiles(machine.dir());
    return machine;
}

bool Machine::SaveSettings(const MachineSettings& s, std::string& error) {
    MachineLock lock(dir_);
    // Replaced in one step, so that a process opening the machine meanwhile reads the old
    // settings or the new ones, never half of them.
    const fs::path file = dir_ / "machine.ini";
    if (!ReplaceWholeFile(file, FormatSettings(s))) {
        error = "cannot write " + file.string();
        return false;
    }
    settings_ = s;
    return true;
}

fs::path Machine::HostPath(const std::string& absoluteWindowsPath) const {
    const std::string& p = absoluteWindowsPath;
    if (p.size() < 2 || (p[0] != 'C' && p[0] != 'c') || p[1] != ':') return {};
    fs::path host = driveC();
    bool exists = true;
    for (const std::string& part : PathComponents(p)) {
        if (part == "." || part == "..") return {};
        fs::path next = host / part;
        if (exists) {
            std::error_code ec;
            if (!fs::exists(next, ec)) {
                // Find an entry that differs only in letter case.
                bool found = false;
                for (fs::directory_iterator it(host, ec), end; !ec && it != end; it.increment(ec)) {
                    if (common::EqualsNoCase(it->path().filename().string(), part)) {
                        next = it->path();
                        found = true;
                        break;
                    }
                }
                exists = found;
            }
        }
        host = next;
    }
    return host;
}

}  // namespace sim
