// A throwaway machine for the installer's tests: sleeps take no real time, and processes run as
// C:\pkg\Install.exe, so the operations' source directory is C:\pkg. The log an operation
// writes is kept in order, with the error reports it makes.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "install/OperationContext.h"
#include "platform/sim/process/platform.h"
#include "platform/sim/state/transcript.h"
#include "tests/support/temp_machine.h"

namespace installtest {

class InstallMachine {
public:
    explicit InstallMachine(const std::string& preset = "windows-7-x64",
                            std::uint32_t platformId = 2)
        : m_(preset) {
        sim::MachineSettings s = m_.machine().settings();
        s.timeScale = 0;
        s.platformId = platformId;
        std::string error;
        EXPECT_TRUE(m_.machine().SaveSettings(s, error)) << error;
    }

    std::unique_ptr<sim::SimPlatform> Process() {
        sim::ProcessContext context;
        context.machineDir = m_.machine().dir();
        context.modulePath = "C:\\pkg\\Install.exe";
        context.currentDir = "C:\\pkg";
        return std::make_unique<sim::SimPlatform>(m_.machine(), context);
    }

    std::vector<std::string> Transcript() { return sim::ReadTranscript(m_.machine().dir()); }
    sim::Machine& machine() { return m_.machine(); }

private:
    testsupport::TempMachine m_;
};

class RecordingLog : public install::InstallLog {
public:
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::uint32_t>> reports;

    void Append(std::string_view text) override { lines.emplace_back(text); }
    void ReportError(const char* operation, std::uint32_t code) override {
        reports.emplace_back(operation, code);
    }
};

}  // namespace installtest
