// What the uninstall worker reports to the window: it never touches the window itself (dialogs
// belong to the user-interface thread), so it queues events that the window applies on a timer.
#pragma once
#include <mutex>
#include <string>
#include <vector>

namespace uninstall {

struct WorkerEvent {
    enum class Kind {
        Log,      // `text` is a new log line
        Removed,  // the candidate named `text` was deleted
        Ended,    // the run is over
    };
    Kind kind = Kind::Log;
    std::string text;
    // For Ended: at least one item was deleted, and the run reached its end normally (a printer
    // that could not be opened or read, or had jobs, ends it early without the restart question).
    bool restartFlag = false;
    bool completed = false;
};

// A thread-safe queue of events, filled by the worker and emptied by the window.
class WorkerEvents {
public:
    void Push(WorkerEvent event) {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(event));
    }
    void Log(std::string text) { Push({WorkerEvent::Kind::Log, std::move(text), false, false}); }
    // Every event queued so far, oldest first; the queue is empty afterwards.
    std::vector<WorkerEvent> TakeAll() {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<WorkerEvent> taken;
        taken.swap(events_);
        return taken;
    }

private:
    std::mutex mutex_;
    std::vector<WorkerEvent> events_;
};

}  // namespace uninstall
