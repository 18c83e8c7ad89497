// The timing journal: what simulated processes write into it, and how a run's wall time is split
// into the programs' waits and their own work.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "bench/timing/journal_analysis.h"
#include "platform/sim/process/platform.h"
#include "platform/sim/state/timing_journal.h"
#include "platform/sim/state/transcript.h"
#include "tests/support/temp_machine.h"

namespace {

using benchtiming::Analyse;
using benchtiming::JournalRecord;
using benchtiming::ParseJournal;

std::vector<JournalRecord> Parsed(const std::string& text) {
    int bad = -1;
    auto records = ParseJournal(text, bad);
    EXPECT_EQ(bad, 0);
    return records;
}

// Two threads of one process, worked out by hand over a run from 0 to 502000 us:
//   thread 1: starts at 900 (begin at 1000 after 100 us of CPU), sleeps 500 ms to 501000, shows
//             a line at 501200, ends at 501300;
//   thread 2: begins at 2000, sleeps 10 ms to 12000, works until it ends at 15000.
// Waiting (a sleep, nobody working): 1000-12000 and 15000-501000 = 497000 us; working:
// 900-1000, 12000-15000 and 501000-501300 = 3400 us; nothing runs 0-900 and 501300-502000.
TEST(TimingJournalAnalysis, SplitsTheRunIntoWaitsAndOwnWorkAndNamesTheSteps) {
    const auto records = Parsed(
        "1000 7 70 setup begin 100\n"
        "1000 7 70 setup sleep 500 501000\n"
        "2000 7 71 setup begin 0\n"
        "2000 7 71 setup sleep 10 12000\n"
        "15000 7 71 setup end\n"
        "501200 7 70 setup show shows \"Setup\" (dialog 102)\n"
        "501300 7 70 setup end\n");
    const auto window = benchtiming::ProgramWindow(records);
    EXPECT_EQ(window.start, 900);
    EXPECT_EQ(window.end, 501300);
    const auto run = Analyse(records, 0, 502000);
    EXPECT_EQ(run.totalMicros, 502000);
    EXPECT_EQ(run.waitMicros, 497000);
    EXPECT_EQ(run.ownMicros, 5000);
    EXPECT_EQ(run.workMicros, 3400);
    EXPECT_EQ(run.sleeps, 2);
    EXPECT_EQ(run.askedMillis, 510);
    EXPECT_EQ(run.processes, 1);

    ASSERT_EQ(run.steps.size(), 4u);
    EXPECT_EQ(run.steps[0].micros, 3000);
    EXPECT_EQ(run.steps[0].thread, 2);
    EXPECT_EQ(run.steps[0].after, "Sleep 10 ms");
    EXPECT_EQ(run.steps[0].until, "end");
    EXPECT_EQ(run.steps[1].micros, 200);
    EXPECT_EQ(run.steps[1].thread, 1);
    EXPECT_EQ(run.steps[1].after, "Sleep 500 ms");
    EXPECT_EQ(run.steps[1].until, "shows: shows \"Setup\" (dialog 102)");
    EXPECT_EQ(run.steps[2].micros, 100);
    EXPECT_EQ(run.steps[3].micros, 100);
    EXPECT_EQ(run.steps[2].after == "start" ? run.steps[2].until : run.steps[3].until, "Sleep 500 ms");
}

// Work beside a sleep is the program's own time: a worker busy while the dialog's timer waits.
TEST(TimingJournalAnalysis, WorkBesideASleepCountsAsOwnTime) {
    const auto records = Parsed(
        "0 1 1 setup begin 0\n"
        "0 1 1 setup sleep 80 80000\n"
        "80000 1 1 setup end\n"
        "10000 1 2 setup begin 5000\n"    // worked from 5000 on
        "30000 1 2 setup end\n"
        "40000 2 1 Install begin 0\n"
        "40000 2 1 Install sleep 2000 60000\n");  // no end record: it lasts to its last record
    const auto run = Analyse(records, 0, 100000);
    EXPECT_EQ(run.workMicros, 25000);             // 5000-30000
    EXPECT_EQ(run.waitMicros, 80000 - 25000);     // 0-5000, 30000-80000
    EXPECT_EQ(run.ownMicros, 100000 - 55000);
    EXPECT_EQ(run.processes, 2);
    ASSERT_FALSE(run.steps.empty());
    EXPECT_EQ(run.steps[0].micros, 25000);
    EXPECT_EQ(run.steps[0].until, "end");
}

// A thread idling while the person waits (the desktop's message loop) pauses its step; the idle
// time is a wait only while another thread sleeps and none works.
TEST(TimingJournalAnalysis, IdleTimeNeitherWorksNorWaitsOnItsOwn) {
    const auto records = Parsed(
        "0 1 1 ui begin 0\n"
        "1000 1 1 ui idle 5000\n"
        "6000 1 1 ui sleep 10 16000\n"
        "16000 1 1 ui end\n"
        "0 1 2 worker begin 0\n"
        "0 1 2 worker sleep 20 12000\n"
        "12000 1 2 worker end\n");
    const auto run = Analyse(records, 0, 20000);
    EXPECT_EQ(run.workMicros, 2000);                 // 0-1000 and 5000-6000
    EXPECT_EQ(run.waitMicros, 4000 + 10000);         // 1000-5000 and 6000-16000
    EXPECT_EQ(run.ownMicros, 20000 - 14000);         // nothing at all runs 16000-20000
    EXPECT_EQ(run.sleeps, 2);
    EXPECT_EQ(run.askedMillis, 30);
    ASSERT_EQ(run.steps.size(), 1u);
    EXPECT_EQ(run.steps[0].micros, 2000);
    EXPECT_EQ(run.steps[0].after, "start");
    EXPECT_EQ(run.steps[0].until, "Sleep 10 ms");
}

// Sleeps of our own choosing are our own time; a mandated sleep beside one does not hide it,
// and work beside either is work.
TEST(TimingJournalAnalysis, OurOwnWaitsCountAsOurOwnTime) {
    const auto records = Parsed(
        "0 1 1 uninstall begin 0\n"
        "0 1 1 uninstall sleep 100 100000\n"      // the window's timer: mandated by default
        "0 1 2 uninstall begin 0\n"
        "0 1 2 uninstall sleep 300 30000\n"       // a poll of our own
        "40000 1 2 uninstall sleep 300 70000\n"   // after 10 ms of work
        "70000 1 2 uninstall end\n"
        "100000 1 1 uninstall end\n");
    const auto plain = Analyse(records, 0, 100000);
    EXPECT_EQ(plain.waitMicros, 90000);
    EXPECT_EQ(plain.ownWaitMicros, 0);
    const auto run = Analyse(records, 0, 100000, {{"uninstall", 300}, {"setup", 100}});
    EXPECT_EQ(run.workMicros, 10000);                  // 30000-40000
    EXPECT_EQ(run.ownWaitMicros, 60000);               // 0-30000 and 40000-70000
    EXPECT_EQ(run.waitMicros, 30000);                  // 70000-100000
    EXPECT_EQ(run.ownMicros, 70000);
    EXPECT_EQ(run.sleeps, 3);
}

// Sleeps reaching past the run's window count only inside it.
TEST(TimingJournalAnalysis, CountsOnlyTheRunsWindow) {
    const auto run = Analyse(Parsed("100 1 1 a begin 0\n100 1 1 a sleep 1000 1000100\n"), 500, 600500);
    EXPECT_EQ(run.totalMicros, 600000);
    EXPECT_EQ(run.waitMicros, 600000);
    EXPECT_EQ(run.ownMicros, 0);
    EXPECT_TRUE(run.steps.empty());
}

TEST(TimingJournalAnalysis, ReadsEveryKindAndCountsWhatIsNoRecord) {
    int bad = 0;
    const auto records = ParseJournal(
        "5 1 2 setup show a line  with two spaces\n"
        "5 1 2 setup sleep 10 4\n"          // ends before it starts
        "x 1 2 setup end\n"
        "5 1 2 setup begin -1\n"
        "5 1 2 setup wave\n"
        "6 1 2 setup end trailing\n"
        "6 1 2 setup idle 5\n"
        "7 1 2 setup end\n"
        "\n",
        bad);
    EXPECT_EQ(bad, 6);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].kind, JournalRecord::Kind::Show);
    EXPECT_EQ(records[0].text, "a line  with two spaces");
    EXPECT_EQ(records[1].kind, JournalRecord::Kind::End);
    EXPECT_EQ(records[1].time, 7);
}

// A simulated process with the journal on: its sleeps (also of another thread) and its
// transcript lines are recorded with the machine milliseconds asked for.
TEST(TimingJournal, ASimulatedProcessRecordsItsSleepsAndLines) {
    // The journal is looked up once per process, before the machine is made.
    const std::filesystem::path journal =
        std::filesystem::path(testing::TempDir()) / ("timing-journal-" + std::to_string(getpid()) + ".txt");
    std::filesystem::remove(journal);
    ASSERT_EQ(setenv(sim::timing::kJournalVariable, journal.c_str(), 1), 0);
    ASSERT_TRUE(sim::timing::Enabled());
    testsupport::TempMachine machine;
    auto process = machine.Process();
    process->system().Sleep(20);
    std::thread([&] { process->system().Sleep(1); }).join();
    ASSERT_TRUE(sim::AppendTranscript(machine.machine().dir(), "program", "shows a\nline"));

    std::ifstream in(journal);
    std::stringstream text;
    text << in.rdbuf();
    const auto records = Parsed(text.str());
    ASSERT_EQ(records.size(), 6u) << text.str();  // begin, sleep; begin, sleep, end; show
    EXPECT_EQ(records[0].kind, JournalRecord::Kind::Begin);
    EXPECT_EQ(records[1].kind, JournalRecord::Kind::Sleep);
    EXPECT_EQ(records[1].program, "program");
    EXPECT_EQ(records[1].sleepMs, 20);
    EXPECT_GE(records[1].sleepEnd - records[1].time, 20000);
    EXPECT_EQ(records[3].sleepMs, 1);
    EXPECT_NE(records[3].tid, records[1].tid);
    EXPECT_EQ(records[4].kind, JournalRecord::Kind::End);
    EXPECT_EQ(records[4].tid, records[3].tid);
    EXPECT_EQ(records[5].kind, JournalRecord::Kind::Show);
    EXPECT_EQ(records[5].text, "shows a\\nline");
    std::filesystem::remove(journal);
}

}  // namespace
