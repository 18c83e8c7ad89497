#include "platform/sim/state/timing_journal.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

namespace sim::timing {

namespace {

std::int64_t Micros(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

std::int64_t ThreadCpuMicros() {
    timespec ts{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts) != 0) return 0;
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

// The journal stays open for the process's life: opening it per record would cost more than
// most of what it measures.
int JournalFd() {
    static const int fd = [] {
        const char* path = std::getenv(kJournalVariable);
        if (!path || !*path) return -1;
        return ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    }();
    return fd;
}

// One write per record: appends of a line this short reach the file whole even when several
// processes write at once.
void Write(const std::string& line) {
    const int fd = JournalFd();
    if (fd < 0) return;
    ssize_t n;
    do n = ::write(fd, line.data(), line.size());
    while (n < 0 && errno == EINTR);
}

std::string Head(Clock::time_point t, std::string_view program) {
    std::string name(program.empty() ? "?" : program);
    for (char& c : name)
        if (c == ' ') c = '_';
    return std::to_string(Micros(t)) + " " + std::to_string(::getpid()) + " " +
           std::to_string(::syscall(SYS_gettid)) + " " + name + " ";
}

// Writes a thread's begin record before its first record and its end record as it exits.
struct ThreadRecords {
    std::string program;
    // `at`: when the thread's first recorded event began (a sleep uses no CPU time, so the CPU
    // time read after one is still the time the thread worked before it).
    ThreadRecords(std::string_view name, Clock::time_point at) : program(name) {
        Write(Head(at, program) + "begin " + std::to_string(ThreadCpuMicros()) + "\n");
    }
    ~ThreadRecords() { Write(Head(Clock::now(), program) + "end\n"); }
};

void EnsureThreadRecords(std::string_view program, Clock::time_point at) {
    thread_local ThreadRecords records(program, at);
    (void)records;
}

std::mutex programLock;
std::string& ProgramName() {
    static std::string name;
    return name;
}

}  // namespace

bool Enabled() { return JournalFd() >= 0; }

void SetProgram(std::string_view program) {
    std::lock_guard hold(programLock);
    ProgramName() = std::string(program);
}

void NoteThread() {
    if (!Enabled()) return;
    std::string program;
    {
        std::lock_guard hold(programLock);
        program = ProgramName();
    }
    // Only the simulated programs name themselves; winsim and the tests that host processes
    // record only their sleeps and lines.
    if (program.empty()) return;
    EnsureThreadRecords(program, Clock::now());
}

void RecordSleep(std::string_view program, std::uint32_t requestedMs, Clock::time_point start,
                 Clock::time_point end) {
    if (!Enabled()) return;
    EnsureThreadRecords(program, start);
    Write(Head(start, program) + "sleep " + std::to_string(requestedMs) + " " +
          std::to_string(Micros(end)) + "\n");
}

void RecordIdle(std::string_view program, Clock::time_point start, Clock::time_point end) {
    if (!Enabled()) return;
    EnsureThreadRecords(program, start);
    Write(Head(start, program) + "idle " + std::to_string(Micros(end)) + "\n");
}

void RecordShown(std::string_view program, std::string_view text) {
    if (!Enabled()) return;
    const Clock::time_point now = Clock::now();
    EnsureThreadRecords(program, now);
    std::string line = Head(now, program) + "show ";
    for (char c : text) line += c == '\n' || c == '\r' ? ' ' : c;
    Write(line + "\n");
}

}  // namespace sim::timing
