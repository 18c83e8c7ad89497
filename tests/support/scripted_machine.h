// A test fixture with a throwaway machine whose sleeps take no real time, processes that run an
// automation script, and the transcript they write.
#pragma once
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/process/platform.h"
#include "platform/sim/state/transcript.h"
#include "tests/support/temp_machine.h"

namespace testsupport {

class ScriptedMachineTest : public ::testing::Test {
protected:
    ScriptedMachineTest() {
        sim::MachineSettings s = m.machine().settings();
        s.timeScale = 0;  // sleeps advance the clock without taking real time
        std::string error;
        EXPECT_TRUE(m.machine().SaveSettings(s, error)) << error;
    }

    // A process whose program, C:\scratch\program.exe, runs the given script (none when empty).
    std::unique_ptr<sim::SimPlatform> Process(const std::string& script) {
        sim::ProcessContext context;
        context.machineDir = m.machine().dir();
        context.modulePath = "C:\\scratch\\program.exe";
        context.currentDir = "C:\\scratch";
        if (!script.empty()) {
            std::filesystem::path path = m.machine().dir() / ("script-" + std::to_string(++scripts_) + ".txt");
            std::ofstream(path) << script;
            context.script = path;
        }
        return std::make_unique<sim::SimPlatform>(m.machine(), context);
    }

    std::vector<std::string> Transcript() { return sim::ReadTranscript(m.machine().dir()); }
    bool TranscriptHas(const std::string& line) {
        for (const std::string& l : Transcript())
            if (l == line) return true;
        return false;
    }

    TempMachine m;

private:
    int scripts_ = 0;
};

}  // namespace testsupport
