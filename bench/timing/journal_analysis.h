// Reads a timing journal of simulated processes (platform/sim/state/timing_journal.h) and splits
// the wall time of a run into the waits the programs make on purpose (sleeps and timer waits)
// and the time of their own work, named by the steps it falls in.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace benchtiming {

// What one thread's record says, times in microseconds of the host's monotonic clock.
struct JournalRecord {
    std::int64_t time = 0;
    std::int64_t pid = 0;
    std::int64_t tid = 0;
    std::string program;
    enum class Kind { Begin, Sleep, Idle, Show, End } kind = Kind::Show;
    std::int64_t cpu = 0;         // Begin: the thread's CPU time so far
    std::int64_t sleepMs = 0;     // Sleep: the machine milliseconds asked for
    std::int64_t sleepEnd = 0;    // Sleep, Idle: when it ended
    std::string text;             // Show: the transcript line
};

// The records of a journal's text; lines that are not records are counted in `badLines`.
std::vector<JournalRecord> ParseJournal(std::string_view text, int& badLines);

// A stretch of one thread's own work between two of its events.
struct Step {
    std::string program;
    int thread = 0;         // 1 for a process's first thread seen, 2 for its next, ...
    std::string after;      // the event the step follows ("start", "Sleep 500 ms", "shows ...")
    std::string until;      // the event that ends it
    std::int64_t micros = 0;
};

struct RunTiming {
    std::int64_t totalMicros = 0;   // from the run's start to its end
    std::int64_t waitMicros = 0;    // some thread in a sleep and none working
    std::int64_t ownMicros = 0;     // total - waits
    std::int64_t ownWaitMicros = 0; // of our own time: our own waits, while nobody works
    std::int64_t workMicros = 0;    // some thread of a simulated program working
    std::int64_t sleeps = 0;        // how many sleeps the journal holds
    std::int64_t askedMillis = 0;   // the machine milliseconds they asked for, all threads
    std::int64_t processes = 0;
    std::vector<Step> steps;        // every step, longest first
};

// From the first thread's start (its begin record minus its CPU time then) to the last
// record's end: the time the programs themselves ran, without whoever started them.
struct Window {
    std::int64_t start = 0, end = 0;
};
Window ProgramWindow(const std::vector<JournalRecord>& records);

// The run's time between `start` and `end`. A thread lives from its begin record minus the CPU
// time it had then (its work before its first record) to its end record, or its last record
// when it has none; outside its sleeps and idle times it counts as working. Idle time is neither
// work nor a wait: it counts as waiting only while another thread sleeps and none works.
//
// `ownWaits` names sleeps that are our choice, not mandated ("uninstall" sleeping 50 ms: its
// polls until a restarted spooler runs): they count as our own time, apart from the work.
struct OwnWait {
    std::string program;
    std::int64_t millis = 0;
};
RunTiming Analyse(const std::vector<JournalRecord>& records, std::int64_t start, std::int64_t end,
                  const std::vector<OwnWait>& ownWaits = {});

}  // namespace benchtiming
