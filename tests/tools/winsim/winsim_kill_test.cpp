// The simulated machine under concurrency and interruption: winsim commands run in parallel on
// one machine lose nothing, and kill -9 at random points of state-changing commands never
// leaves a machine that fails to load or a half-made printer, fault or setting.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/state/desktop_state.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/reg_file.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Starts winsim in a process group of its own (so a kill also reaches the program `run`
// starts), its output thrown away. Returns its pid, or 0.
pid_t StartWinsim(const std::vector<std::string>& args) {
    std::vector<std::string> words = {WINSIM_BINARY};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    pid_t pid = 0;
    if (posix_spawn(&pid, WINSIM_BINARY, &actions, &attr, argv.data(), environ) != 0) pid = 0;
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int RunWinsim(const std::vector<std::string>& args) {
    const pid_t pid = StartWinsim(args);
    return pid ? WaitFor(pid) : -1;
}

class WinsimKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("winsim-kill-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        machine_ = (dir_ / "machine").string();
        ASSERT_EQ(RunWinsim({"create", machine_, "--preset", "windows-7-x64"}), 0);
        ASSERT_EQ(RunWinsim({"mount", machine_, FIXTURE_PACKAGE}), 0);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    // The program's registry write: creates the key, then sets its value "probe".
    std::vector<std::string> RegSet(const std::string& key) const {
        return {"run", machine_, "C:\\Package\\setup.exe", "--bin-dir", TEST_PROGRAM_DIR, "--",
                "regset", key};
    }

    fs::path dir_;
    std::string machine_;
};

TEST_F(WinsimKillTest, ParallelCommandsOnOneMachineLoseNothing) {
    constexpr int kEach = 10;
    std::vector<pid_t> running;
    for (int i = 0; i < kEach; ++i) {
        const std::string n = std::to_string(i);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"printer", machine_, "add", "P" + n, "--port", "PORT" + n},
              std::vector<std::string>{"fault", machine_, "call", "CopyFileA", std::to_string(1000 + i),
                                       "--target", "C:\\t" + n},
              std::vector<std::string>{"desktop", machine_, "hold-mutex", "M" + n},
              RegSet("HKCU\\Software\\Parallel\\K" + n)})
            running.push_back(StartWinsim(args));
    }
    for (pid_t pid : running) {
        ASSERT_NE(pid, 0);
        EXPECT_EQ(WaitFor(pid), 0);
    }

    std::string error;
    auto machine = sim::Machine::Open(machine_, error);
    ASSERT_TRUE(machine) << error;
    const auto printers = sim::PrintProvider(*machine).Printers();
    std::vector<sim::CallFault> faults;
    ASSERT_TRUE(sim::ReadFaults(*machine, faults, error)) << error;
    std::string registry;
    ASSERT_TRUE(sim::ReadWholeFile(machine->registryFile(), registry));
    sim::reg::Tree tree;
    ASSERT_TRUE(sim::reg::ParseRegistry(registry, tree, error)) << error;
    const sim::DesktopState desktop = sim::LoadDesktopState(machine->dir());
    for (int i = 0; i < kEach; ++i) {
        SCOPED_TRACE(i);
        const std::string n = std::to_string(i);
        EXPECT_NE(std::find_if(printers.begin(), printers.end(),
                               [&](const sim::SimPrinter& p) {
                                   return p.name == "P" + n && p.port == "PORT" + n;
                               }),
                  printers.end());
        EXPECT_NE(std::find_if(faults.begin(), faults.end(),
                               [&](const sim::CallFault& f) {
                                   return f.target == "C:\\t" + n &&
                                          f.error == static_cast<std::uint32_t>(1000 + i);
                               }),
                  faults.end());
        sim::reg::Key* key = tree.Find({"HKEY_CURRENT_USER", "Software", "Parallel", "K" + n});
        ASSERT_NE(key, nullptr);
        EXPECT_NE(key->FindValue("probe"), nullptr);
        EXPECT_TRUE(desktop.MutexExists("M" + n));
    }
    EXPECT_EQ(printers.size(), static_cast<std::size_t>(kEach));
    EXPECT_EQ(faults.size(), static_cast<std::size_t>(kEach));
}

// Files a writer leaves only while it is between writing and renaming.
int TempFilesIn(const fs::path& machineDir) {
    int count = 0;
    for (const fs::path& dir : {machineDir, machineDir / "state", machineDir / "spool" / "jobs"}) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
            count += it->path().extension() == ".tmp";
    }
    std::error_code ec;
    for (fs::directory_iterator it(machineDir / "state" / "tmp", ec), end; !ec && it != end;
         it.increment(ec))
        ++count;
    return count;
}

// After each kill: the machine opens, every state file reads, and each printer, fault and
// pair of settings that a command made is whole.
void CheckWhole(const std::string& machineDir) {
    std::string error;
    auto machine = sim::Machine::Open(machineDir, error);
    ASSERT_TRUE(machine) << error;
    std::string registry;
    ASSERT_TRUE(sim::ReadWholeFile(machine->registryFile(), registry));
    sim::reg::Tree tree;
    ASSERT_TRUE(sim::reg::ParseRegistry(registry, tree, error)) << error;
    for (const sim::SimPrinter& p : sim::PrintProvider(*machine).Printers())
        EXPECT_EQ(p.port, "PORT" + p.name.substr(1)) << "printer " << p.name << " is half made";
    std::vector<sim::CallFault> faults;
    ASSERT_TRUE(sim::ReadFaults(*machine, faults, error)) << error;
    for (const sim::CallFault& f : faults) {
        // "call CopyFileA 1000+N --times 1+N --target C:\tN"
        const std::string n = f.target.substr(4);
        EXPECT_EQ(f.call, "CopyFileA");
        EXPECT_EQ(std::to_string(f.error - 1000), n) << f.target;
        EXPECT_EQ(std::to_string(f.times - 1), n) << f.target;
    }
    // "set user=uN build=N" changes both or neither.
    const sim::MachineSettings& s = machine->settings();
    if (s.userName != "User") EXPECT_EQ("u" + std::to_string(s.build), s.userName);
    else EXPECT_EQ(s.build, 7601u);
    // A killed program that `run` started may still be on its way out; once it has ended, the
    // next opening of the machine removes what it left.
    for (int tries = 0; TempFilesIn(machineDir) > 0 && tries < 200; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        sim::Machine::Open(machineDir, error);
    }
    EXPECT_EQ(TempFilesIn(machineDir), 0) << "opening the machine leaves no stray temporary file";
}

TEST_F(WinsimKillTest, KillAtRandomPointsNeverLeavesAHalfMadeMachine) {
    unsigned seed = 20240607;
    if (const char* given = std::getenv("WINSIM_KILL_SEED"))
        seed = static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    std::printf("kill test seed %u (WINSIM_KILL_SEED=%u repeats it)\n", seed, seed);
    std::mt19937 random(seed);

    auto command = [&](int kind, int i) -> std::vector<std::string> {
        const std::string n = std::to_string(i);
        switch (kind) {
            case 0: return {"printer", machine_, "add", "Q" + n, "--port", "PORT" + n};
            case 1:
                return {"fault", machine_, "call", "CopyFileA", std::to_string(1000 + i), "--times",
                        std::to_string(1 + i), "--target", "C:\\t" + n};
            case 2: return {"set", machine_, "user=u" + n, "build=" + n};
            default: return RegSet("HKCU\\Software\\Killed\\K" + n);
        }
    };
    constexpr int kKinds = 4;
    // How long each command takes when nobody kills it: kills fall anywhere in that time.
    std::vector<double> micros(kKinds);
    for (int kind = 0; kind < kKinds; ++kind) {
        const auto start = Clock::now();
        ASSERT_EQ(RunWinsim(command(kind, 100000 + kind)), 0) << kind;
        micros[kind] = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    }

    const auto deadline = Clock::now() + std::chrono::seconds(10);
    int kills = 0, finished = 0, strays = 0;
    for (int i = 0; i < 300 && Clock::now() < deadline; ++i) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(i));
        const int kind = static_cast<int>(random() % kKinds);
        const double delay = std::uniform_real_distribution<double>(0, 1.2 * micros[kind])(random);
        const pid_t pid = StartWinsim(command(kind, i));
        ASSERT_NE(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(delay)));
        ::kill(-pid, SIGKILL);
        const int status = WaitFor(pid);
        (status == 128 + SIGKILL ? kills : finished) += 1;
        strays += TempFilesIn(machine_);
        CheckWhole(machine_);
        if (HasFatalFailure() || HasNonfatalFailure()) break;
    }
    std::printf("%d commands killed, %d finished first, %d stray temporary files cleaned\n", kills,
                finished, strays);
    EXPECT_GT(kills, 0);

    // The machine still takes every kind of change.
    for (int kind = 0; kind < kKinds; ++kind) EXPECT_EQ(RunWinsim(command(kind, 200000 + kind)), 0);
    CheckWhole(machine_);
}

}  // namespace
