// install_timing: runs one command (a winsim run of a deliverable) with a timing journal and
// reports its wall time split into the waits the programs make on purpose and their own time,
// with the longest steps of their own work.
//
//   install_timing [--label TEXT] [--top N] [--log FILE] [--mark TEXT] [--own-wait PROGRAM:MS ...]
//                  -- COMMAND [ARGUMENTS...]
//
// --own-wait: the program's sleeps of MS milliseconds are waits of our own choosing, not
// mandated ones: they count as our own time (and are shown apart).
// --mark: also the time from the programs' start to the first transcript line holding TEXT
// (the uninstaller's list of candidates shown, say), with our own time in it.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/timing/journal_analysis.h"
#include "platform/sim/state/timing_journal.h"

extern char** environ;

namespace {

constexpr std::int64_t kLongestStepMicros = 50000;  // no single step of ours should take longer

std::int64_t Now() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               sim::timing::Clock::now().time_since_epoch())
        .count();
}

std::string Ms(std::int64_t micros) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(micros) / 1000.0);
    return text;
}

int Usage() {
    std::cerr << "usage: install_timing [--label TEXT] [--top N] [--log FILE] [--mark TEXT] [--own-wait PROGRAM:MS ...] -- COMMAND [ARGUMENTS...]\n";
    return 2;
}

// Runs the command with the journal variable set and its output in `log`; its exit status.
int RunCommand(std::vector<std::string> command, const std::string& journal, const std::string& log) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind(std::string(sim::timing::kJournalVariable) + "=", 0) != 0) env.push_back(*e);
    env.push_back(std::string(sim::timing::kJournalVariable) + "=" + journal);
    std::vector<char*> argv, envp;
    for (std::string& a : command) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
    std::string label = "run", log = "/dev/null", mark;
    int top = 8;
    std::vector<std::string> command;
    std::vector<benchtiming::OwnWait> ownWaits;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--") {
            command.assign(argv + i + 1, argv + argc);
            break;
        }
        if (i + 1 >= argc) return Usage();
        if (a == "--label") label = argv[++i];
        else if (a == "--log") log = argv[++i];
        else if (a == "--top") top = std::atoi(argv[++i]);
        else if (a == "--mark") mark = argv[++i];
        else if (a == "--own-wait") {
            const std::string w = argv[++i];
            const std::size_t colon = w.rfind(':');
            if (colon == std::string::npos || colon == 0) return Usage();
            char* end = nullptr;
            const long long ms = std::strtoll(w.c_str() + colon + 1, &end, 10);
            if (*end != '\0' || ms <= 0 || end == w.c_str() + colon + 1) return Usage();
            ownWaits.push_back({w.substr(0, colon), ms});
        }
        else return Usage();
    }
    if (command.empty() || top < 0) return Usage();

    char journal[] = "/tmp/install-timing-XXXXXX";
    const int fd = mkstemp(journal);
    if (fd < 0) {
        std::cerr << "install_timing: no temporary journal file\n";
        return 1;
    }
    close(fd);
    const std::int64_t start = Now();
    const int status = RunCommand(command, journal, log);
    const std::int64_t end = Now();
    std::ifstream in(journal, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::remove(journal);
    if (status < 0) {
        std::cerr << "install_timing: cannot run " << command[0] << "\n";
        return 1;
    }

    int badLines = 0;
    const auto records = benchtiming::ParseJournal(text.str(), badLines);
    // The programs' own window: starting winsim and printing its transcript are not theirs.
    const benchtiming::Window window = benchtiming::ProgramWindow(records);
    const bool seen = window.end > window.start;
    const benchtiming::RunTiming run =
        benchtiming::Analyse(records, seen ? window.start : start, seen ? window.end : end, ownWaits);
    const double share = run.waitMicros > 0 ? 100.0 * static_cast<double>(run.ownMicros) / static_cast<double>(run.waitMicros) : 0.0;

    std::cout << "== " << label << (status == 0 ? "" : "  (the command exited with " + std::to_string(status) + ")") << "\n";
    std::cout << "  total wall time      " << Ms(run.totalMicros) << "  (from the first program's start to the last one's end; "
              << Ms(end - start - run.totalMicros) << " more for winsim around them)\n";
    std::cout << "  mandated waits       " << Ms(run.waitMicros) << "  (" << run.sleeps << " sleeps and timer waits asking "
              << run.askedMillis << " ms in all threads)\n";
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.2f %%", share);
    std::cout << "  our own time         " << Ms(run.ownMicros) << "  = " << percent << " of the waits\n";
    if (!ownWaits.empty()) std::cout << "  of it our own waits  " << Ms(run.ownWaitMicros) << "\n";
    std::cout << "  programs working     " << Ms(run.workMicros) << "  (" << run.processes << " processes; the rest of our own time is "
              << (ownWaits.empty() ? "" : "our own waits and ") << "time between their threads: starting, ending, waiting for each other)\n";
    if (!mark.empty()) {
        const benchtiming::JournalRecord* shown = nullptr;
        for (const benchtiming::JournalRecord& r : records)
            if (r.kind == benchtiming::JournalRecord::Kind::Show && r.text.find(mark) != std::string::npos &&
                (!shown || r.time < shown->time))
                shown = &r;
        if (!shown) {
            std::cout << "  no transcript line holds \"" << mark << "\"\n";
        } else {
            const benchtiming::RunTiming part = benchtiming::Analyse(records, window.start, shown->time, ownWaits);
            std::cout << "  until \"" << mark << "\"  " << Ms(part.totalMicros) << "  (waits " << Ms(part.waitMicros)
                      << ", our own " << Ms(part.ownMicros) << ")\n";
        }
    }
    if (badLines > 0) std::cout << "  unreadable journal lines: " << badLines << "\n";
    std::cout << "  longest steps of our own:\n";
    int over = 0;
    for (const benchtiming::Step& s : run.steps) over += s.micros > kLongestStepMicros;
    for (int i = 0; i < top && i < static_cast<int>(run.steps.size()); ++i) {
        const benchtiming::Step& s = run.steps[static_cast<std::size_t>(i)];
        std::cout << "    " << Ms(s.micros) << "  " << s.program << "/" << s.thread << "  after " << s.after << "\n"
                  << "               until " << s.until << "\n";
    }
    std::cout << "  steps above " << Ms(kLongestStepMicros) << ": " << over << "\n";
    const std::string longest = run.steps.empty() ? "0" : Ms(run.steps.front().micros);
    std::printf("SUMMARY\t%s\t%.3f\t%.3f\t%.3f\t%.2f\t%s\t%d\n", label.c_str(), static_cast<double>(run.totalMicros) / 1e6,
                static_cast<double>(run.waitMicros) / 1e6, static_cast<double>(run.ownMicros) / 1e6, share,
                longest.c_str(), over);
    return status == 0 ? 0 : 1;
}
