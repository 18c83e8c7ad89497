// Runs the real setup program through winsim on a fresh simulated machine with the example
// package in C:\Package, driven by an automation script, and reads what it showed.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace wizardtest {

// The transcript is read through the shared checks of tests/support/transcript_checks.h.
struct RunResult {
    int status = -1;     // setup's exit status (3: the script went wrong)
    std::string output;  // the transcript lines of the run, "setup: ..." and winsim's notes
};

class WizardMachine : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh machine from a preset, with `winsim set` settings ("admin=0") and the example
    // package mounted.
    void Create(const std::string& preset, const std::vector<std::string>& settings = {});

    // Writes an INI value into a package file (path below C:\Package), as a person editing
    // the file would: the key's line is replaced, or added at the end of its section (the
    // section at the end of the file); a null value deletes the key.
    void SetIni(const std::string& packageFile, const std::string& section, const std::string& key,
                const char* value);
    void RemovePackageFile(const std::string& packageFile);
    void WriteMachineFile(const std::string& windowsPath, const std::string& bytes);
    // The host file behind a path on the machine's drive C, written in the package's own case.
    std::filesystem::path HostPath(const std::string& windowsPath) const;

    // Runs C:\Package\setup.exe with a script (one action a line); an empty current directory
    // means the package root.
    RunResult Run(const std::string& script, const std::string& currentDir = "");
    RunResult Winsim(const std::string& arguments);
    // The printers the machine's spooler holds, a line each: "NAME  port PORT".
    std::vector<std::string> Printers();

    std::filesystem::path dir_;
};

}  // namespace wizardtest
