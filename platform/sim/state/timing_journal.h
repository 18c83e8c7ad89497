// The timing journal: when the environment variable WINSIM_TIMING names a host file, every
// simulated process appends to it, with the time, the sleeps its threads make and the lines it
// shows in the transcript. A benchmark reads the journal to tell the waits the programs make
// on purpose from the time their own work takes (bench/install_timing).
//
// One record a line, fields separated by single spaces, times in microseconds of the host's
// monotonic clock (shared by every process of the host):
//   T PID TID PROGRAM begin CPU      a thread's first record; CPU: its CPU time so far, so the
//                                    thread started at about T - CPU
//   T PID TID PROGRAM sleep MS END   a sleep of MS machine milliseconds from T to END
//   T PID TID PROGRAM idle END       the simulated desktop idles from T to END while the person
//                                    waits for another thread (a message loop blocked on
//                                    Windows: neither a wait the program asked for nor work)
//   T PID TID PROGRAM show TEXT      a transcript line (the rest of the line)
//   T PID TID PROGRAM end            the thread ends (written as it exits)
#pragma once
#include <chrono>
#include <cstdint>
#include <string_view>

namespace sim::timing {

using Clock = std::chrono::steady_clock;

// The environment variable that names the journal file.
inline constexpr const char* kJournalVariable = "WINSIM_TIMING";

// Whether this process writes a journal (read once).
bool Enabled();

// The process's program name, for threads that record before they name one (set once at
// process start).
void SetProgram(std::string_view program);

// Makes sure the calling thread has its begin record (and so its end record as it exits): the
// simulator calls it wherever a thread touches the machine, so a worker that never sleeps is
// still seen working. Nothing in a process that never set its program (winsim itself).
void NoteThread();

void RecordSleep(std::string_view program, std::uint32_t requestedMs, Clock::time_point start,
                 Clock::time_point end);
void RecordIdle(std::string_view program, Clock::time_point start, Clock::time_point end);
void RecordShown(std::string_view program, std::string_view text);

}  // namespace sim::timing
