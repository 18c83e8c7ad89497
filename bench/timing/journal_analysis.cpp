#include "bench/timing/journal_analysis.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace benchtiming {

namespace {

bool Number(std::string_view field, std::int64_t& out) {
    const char* end = field.data() + field.size();
    auto [p, ec] = std::from_chars(field.data(), end, out);
    return ec == std::errc() && p == end && !field.empty();
}

// The next space-separated field; `rest` keeps what follows it.
std::string_view Field(std::string_view& rest) {
    const std::size_t space = rest.find(' ');
    const std::string_view field = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    return field;
}

bool ParseLine(std::string_view line, JournalRecord& r) {
    std::string_view rest = line;
    if (!Number(Field(rest), r.time) || !Number(Field(rest), r.pid) || !Number(Field(rest), r.tid))
        return false;
    r.program = std::string(Field(rest));
    const std::string_view kind = Field(rest);
    if (r.program.empty()) return false;
    if (kind == "begin") {
        r.kind = JournalRecord::Kind::Begin;
        return Number(rest, r.cpu) && r.cpu >= 0;
    }
    if (kind == "sleep") {
        r.kind = JournalRecord::Kind::Sleep;
        return Number(Field(rest), r.sleepMs) && Number(rest, r.sleepEnd) && r.sleepEnd >= r.time;
    }
    if (kind == "idle") {
        r.kind = JournalRecord::Kind::Idle;
        return Number(rest, r.sleepEnd) && r.sleepEnd >= r.time;
    }
    if (kind == "show") {
        r.kind = JournalRecord::Kind::Show;
        r.text = std::string(rest);
        return true;
    }
    if (kind == "end") {
        r.kind = JournalRecord::Kind::End;
        return rest.empty();
    }
    return false;
}

std::string Shortened(const std::string& text) {
    constexpr std::size_t kLongest = 90;
    return text.size() <= kLongest ? text : text.substr(0, kLongest - 3) + "...";
}

std::string EventName(const JournalRecord& r) {
    switch (r.kind) {
        case JournalRecord::Kind::Sleep: return "Sleep " + std::to_string(r.sleepMs) + " ms";
        case JournalRecord::Kind::Show: return "shows: " + Shortened(r.text);
        case JournalRecord::Kind::End: return "end";
        case JournalRecord::Kind::Idle:
        case JournalRecord::Kind::Begin: break;
    }
    return "start";
}

struct Interval {
    std::int64_t from = 0, to = 0;
};

// The time, over [start, end], that some thread works (`busy`); that nobody works and some
// thread is in one of our own waits (`ownWaiting`); that neither holds and some thread is in a
// mandated sleep (`waiting`).
struct SweepResult {
    std::int64_t waiting = 0, ownWaiting = 0, busy = 0;
};

SweepResult Sweep(const std::vector<Interval>& sleeping, const std::vector<Interval>& ownSleeping,
                  const std::vector<Interval>& working, std::int64_t start, std::int64_t end) {
    // (time, which counter, change); ends sort before starts at one instant.
    std::vector<std::tuple<std::int64_t, int, int>> changes;
    auto add = [&](const Interval& i, int counter) {
        const std::int64_t from = std::max(i.from, start), to = std::min(i.to, end);
        if (to <= from) return;
        changes.emplace_back(from, counter, 1);
        changes.emplace_back(to, counter, -1);
    };
    for (const Interval& i : sleeping) add(i, 0);
    for (const Interval& i : ownSleeping) add(i, 1);
    for (const Interval& i : working) add(i, 2);
    std::sort(changes.begin(), changes.end(), [](const auto& a, const auto& b) {
        return std::get<0>(a) != std::get<0>(b) ? std::get<0>(a) < std::get<0>(b) : std::get<2>(a) < std::get<2>(b);
    });
    SweepResult r;
    int open[3] = {0, 0, 0};
    std::int64_t at = start;
    for (const auto& [time, counter, change] : changes) {
        if (open[2] > 0) r.busy += time - at;
        else if (open[1] > 0) r.ownWaiting += time - at;
        else if (open[0] > 0) r.waiting += time - at;
        open[counter] += change;
        at = time;
    }
    return r;
}

}  // namespace

std::vector<JournalRecord> ParseJournal(std::string_view text, int& badLines) {
    std::vector<JournalRecord> records;
    badLines = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        if (line.empty()) continue;
        JournalRecord r;
        if (ParseLine(line, r))
            records.push_back(std::move(r));
        else
            ++badLines;
    }
    return records;
}

Window ProgramWindow(const std::vector<JournalRecord>& records) {
    if (records.empty()) return {};
    Window w{records.front().time, records.front().time};
    for (const JournalRecord& r : records) {
        const std::int64_t from = r.kind == JournalRecord::Kind::Begin ? r.time - r.cpu : r.time;
        w.start = std::min(w.start, from);
        w.end = std::max({w.end, r.time, r.sleepEnd});
    }
    return w;
}

RunTiming Analyse(const std::vector<JournalRecord>& records, std::int64_t start, std::int64_t end,
                  const std::vector<OwnWait>& ownWaits) {
    auto ours = [&](const JournalRecord& r) {
        for (const OwnWait& w : ownWaits)
            if (w.program == r.program && w.millis == r.sleepMs) return true;
        return false;
    };
    RunTiming run;
    run.totalMicros = std::max<std::int64_t>(0, end - start);

    std::map<std::pair<std::int64_t, std::int64_t>, std::vector<const JournalRecord*>> threads;
    for (const JournalRecord& r : records) threads[{r.pid, r.tid}].push_back(&r);

    struct ThreadSpan {
        std::int64_t pid, born;
        std::vector<Step> steps;
    };
    std::vector<ThreadSpan> spans;
    std::vector<Interval> sleeping, ownSleeping, working;
    std::map<std::int64_t, bool> pids;
    for (auto& [key, list] : threads) {
        // A thread's begin record shares its time with its first event and comes first.
        std::stable_sort(list.begin(), list.end(), [](const JournalRecord* a, const JournalRecord* b) {
            if (a->time != b->time) return a->time < b->time;
            return a->kind == JournalRecord::Kind::Begin && b->kind != JournalRecord::Kind::Begin;
        });
        pids[key.first] = true;
        std::int64_t cursor = list.front()->time;
        if (list.front()->kind == JournalRecord::Kind::Begin) cursor -= list.front()->cpu;
        ThreadSpan span{key.first, cursor, {}};
        // A step runs from one event of the thread to its next; idle times inside it only
        // pause it.
        std::string previous = "start";
        std::int64_t stepMicros = 0;
        auto work = [&](std::int64_t until) {
            if (until <= cursor) return;
            working.push_back({cursor, until});
            stepMicros += until - cursor;
        };
        auto closeStep = [&](const std::string& what) {
            if (stepMicros > 0) span.steps.push_back({list.front()->program, 0, previous, what, stepMicros});
            stepMicros = 0;
            previous = what;
        };
        bool ended = false;
        for (const JournalRecord* r : list) {
            if (r->kind == JournalRecord::Kind::Begin || ended) continue;
            work(r->time);
            cursor = std::max(cursor, r->time);
            if (r->kind == JournalRecord::Kind::Idle) {
                cursor = std::max(cursor, r->sleepEnd);
                continue;
            }
            if (r->kind == JournalRecord::Kind::Sleep) {
                ++run.sleeps;
                run.askedMillis += r->sleepMs;
                (ours(*r) ? ownSleeping : sleeping).push_back({r->time, r->sleepEnd});
            }
            closeStep(EventName(*r));
            cursor = std::max(cursor, r->sleepEnd);
            ended = r->kind == JournalRecord::Kind::End;
        }
        if (!ended) closeStep("its last record");
        spans.push_back(std::move(span));
    }
    run.processes = static_cast<std::int64_t>(pids.size());

    // Threads of a process are numbered in the order they started.
    std::sort(spans.begin(), spans.end(), [](const ThreadSpan& a, const ThreadSpan& b) {
        return a.pid != b.pid ? a.pid < b.pid : a.born < b.born;
    });
    std::int64_t pid = -1;
    int number = 0;
    for (ThreadSpan& span : spans) {
        number = span.pid == pid ? number + 1 : 1;
        pid = span.pid;
        for (Step& s : span.steps) {
            s.thread = number;
            run.steps.push_back(std::move(s));
        }
    }
    std::stable_sort(run.steps.begin(), run.steps.end(),
                     [](const Step& a, const Step& b) { return a.micros > b.micros; });

    const SweepResult swept = Sweep(sleeping, ownSleeping, working, start, end);
    run.waitMicros = swept.waiting;
    run.ownWaitMicros = swept.ownWaiting;
    run.workMicros = swept.busy;
    run.ownMicros = run.totalMicros - run.waitMicros;
    return run;
}

}  // namespace benchtiming
