// winsim runs of the setup program for the wizard's scenario tests.
#include "tests/setup/wizard_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include <cctype>

namespace wizardtest {

namespace fs = std::filesystem;

namespace {

RunResult Shell(const std::string& command) {
    RunResult run;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

void WizardMachine::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("wizard-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
}

void WizardMachine::TearDown() { fs::remove_all(dir_); }

RunResult WizardMachine::Winsim(const std::string& arguments) {
    return Shell(Quote(WINSIM_BINARY) + " " + arguments);
}

std::vector<std::string> WizardMachine::Printers() {
    RunResult list = Winsim("printer " + Quote((dir_ / "machine").string()) + " list");
    std::vector<std::string> names;
    std::istringstream in(list.output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line != "no printers") names.push_back(line);
    return names;
}

void WizardMachine::Create(const std::string& preset, const std::vector<std::string>& settings) {
    fs::path machine = dir_ / "machine";
    fs::remove_all(machine);
    std::string args = "create " + Quote(machine.string()) + " --preset " + preset;
    for (const std::string& s : settings) args += " --set " + Quote(s);
    RunResult created = Winsim(args);
    ASSERT_EQ(created.status, 0) << created.output;
    RunResult mounted = Winsim("mount " + Quote(machine.string()) + " " +
                               Quote(PKG_SOURCE_DIR "/examples/package") + " 'C:\\Package'");
    ASSERT_EQ(mounted.status, 0) << mounted.output;
}

fs::path WizardMachine::HostPath(const std::string& windowsPath) const {
    // winsim mount keeps the package's own letter case; paths here are written that way.
    std::string relative = windowsPath.substr(3);  // after "C:\"
    for (char& c : relative)
        if (c == '\\') c = '/';
    return dir_ / "machine" / "drive_c" / relative;
}

void WizardMachine::SetIni(const std::string& packageFile, const std::string& section,
                           const std::string& key, const char* value) {
    fs::path host = HostPath("C:\\Package\\" + packageFile);
    std::ifstream in(host, std::ios::binary);
    ASSERT_TRUE(in) << host;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    in.close();

    auto lower = [](std::string text) {
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    auto trimmed = [](const std::string& line) {
        size_t end = line.find_last_not_of(" \t\r");
        return end == std::string::npos ? std::string() : line.substr(0, end + 1);
    };
    std::string header = "[" + lower(section) + "]";
    std::string keyPrefix = lower(key) + "=";
    size_t at = lines.size();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lower(trimmed(lines[i])) == header) at = i;
    if (at == lines.size()) {
        lines.push_back("[" + section + "]");
        at = lines.size() - 1;
    }
    size_t end = at + 1;
    while (end < lines.size() && trimmed(lines[end]).rfind("[", 0) != 0) ++end;
    bool done = false;
    for (size_t i = at + 1; i < end && !done; ++i) {
        if (lower(lines[i]).rfind(keyPrefix, 0) != 0) continue;
        if (value)
            lines[i] = key + "=" + value;
        else
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        done = true;
    }
    if (!done && value)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(end), key + "=" + value);

    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << "\n";
    ASSERT_TRUE(out) << host;
}

void WizardMachine::RemovePackageFile(const std::string& packageFile) {
    fs::path host = HostPath("C:\\Package\\" + packageFile);
    ASSERT_TRUE(fs::remove(host)) << host;
}

void WizardMachine::WriteMachineFile(const std::string& windowsPath, const std::string& bytes) {
    fs::path host = HostPath(windowsPath);
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
}

RunResult WizardMachine::Run(const std::string& script, const std::string& currentDir) {
    fs::path scriptFile = dir_ / "script.txt";
    std::ofstream(scriptFile) << script;
    std::string args = "run " + Quote((dir_ / "machine").string()) + " 'C:\\Package\\setup.exe'" +
                       " --script " + Quote(scriptFile.string());
    if (!currentDir.empty()) args += " --cwd " + Quote(currentDir);
    return Winsim(args);
}

}  // namespace wizardtest
