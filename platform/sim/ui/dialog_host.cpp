// The dialog host: creating dialogs and pages, the modal loop and its timers.
#include "platform/sim/ui/dialog_host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/timing_journal.h"
#include "platform/sim/state/transcript.h"
#include "platform/sim/ui/resource_table.h"
#include "platform/sim/ui/sim_control.h"
#include "platform/sim/ui/sim_dialog_window.h"

namespace sim {

DialogHost::DialogHost(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
                       plat::SystemInfo& system)
    : machine_(machine), process_(process), desktop_(desktop), system_(system) {}

DialogHost::~DialogHost() = default;

std::string DialogHost::ToUtf8(std::string_view codePageText) const {
    return CodePageToUtf8(codePageText, machine_.settings().codePage);
}

std::string DialogHost::ItemUtf8(const SimControl& list, std::size_t index) const {
    if (index < list.wideItems.size() && list.wideItems[index]) return Utf16ToUtf8(*list.wideItems[index]);
    return ToUtf8(list.items[index]);
}

bool DialogHost::Write(const std::string& utf8Line) {
    if (AppendTranscript(machine_.dir(), process_.programName(), utf8Line)) return true;
    std::fprintf(stderr, "%s: cannot write the transcript: %s\n", process_.programName().c_str(),
                 utf8Line.c_str());
    return false;
}

void DialogHost::Fail(const std::string& utf8Line) {
    // Said once: when winsim run shows the transcript, the transcript line is enough; a line
    // the transcript did not take is already on stderr.
    if (Write(utf8Line) && !process_.transcriptShown)
        std::fprintf(stderr, "%s: %s\n", process_.programName().c_str(), utf8Line.c_str());
    std::exit(3);
}

const RcScript& DialogHost::resources(plat::ModuleRef module) {
    std::string error;
    const RcScript* script = ModuleResources(module, error);
    if (!script) Fail("simulator error: the module's resource script cannot be read: " + error);
    return *script;
}

std::optional<long> DialogHost::Symbol(SimDialogWindow& window, const std::string& name) {
    if (auto value = resources(window.Module()).Symbol(name)) return value;
    for (SimDialogWindow* page : window.pages())
        if (auto value = Symbol(*page, name)) return value;
    return std::nullopt;
}

int DialogHost::RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic,
                         SimDialogWindow* owner) {
    const RcDialog* source = resources(module).FindDialog(templateId);
    if (!source) return -1;
    return RunModal(module, *source, logic, owner);
}

int DialogHost::RunModal(plat::ModuleRef module, const RcDialog& source, plat::DialogLogic& logic,
                         SimDialogWindow* owner) {
    SimDialogWindow window(*this, module, source, logic, owner, true);
    window.OpenOnDesktop();
    logic.OnInitDialog(window);
    // A dialog that ends while it initialises is never shown.
    if (!window.ended()) {
        window.ShowModal();
        ModalLoop(window);
    }
    window.Destroy();
    return window.result();
}

std::unique_ptr<plat::DialogWindow> DialogHost::CreatePage(plat::ModuleRef module, int templateId,
                                                           plat::DialogLogic& logic,
                                                           SimDialogWindow& parent, int placeholderId) {
    const RcDialog* source = resources(module).FindDialog(templateId);
    if (!source) return nullptr;
    SimControl* placeholder = parent.Find(placeholderId);
    if (!placeholder)
        Fail("simulator error: CreateChildPage: " + parent.Describe() + " has no placeholder " +
             std::to_string(placeholderId));
    auto page = std::make_unique<SimDialogWindow>(*this, module, *source, logic, &parent, false);
    page->PlaceAt(placeholder->rect);
    logic.OnInitDialog(*page);
    return page;
}

std::optional<ScriptAction> DialogHost::NextAction() {
    if (process_.script.empty()) return std::nullopt;
    if (!script_) {
        auto run = std::make_unique<ScriptRun>(machine_.dir(), process_.script);
        std::string error;
        if (!run->Load(error)) Fail("script error: " + error);
        script_ = std::move(run);
    }
    return script_->Next();
}

void DialogHost::TakeAction() { script_->Take(); }

void DialogHost::ModalLoop(SimDialogWindow& window) {
    bool waiting = false;
    int awaited = 0;  // wait-enabled: the control whose enabling ends the wait
    // What wait-enabled waits for is work on another thread of the program, which takes real
    // time while the machine's clock may run fast: that wait yields to it and is measured in
    // real time.
    auto awaitedSince = std::chrono::steady_clock::now();
    std::uint32_t idleSince = system_.GetTickCount();
    while (!window.ended()) {
        window.PaintIfNeeded();
        if (awaited != 0 && ControlEnabled(window, awaited)) {
            Write("control " + std::to_string(awaited) + " of " + window.Describe() + " is enabled");
            awaited = 0;
            waiting = false;
            idleSince = system_.GetTickCount();
            continue;
        }
        std::optional<ScriptAction> next;
        if (!waiting) {
            MachineLock lock(machine_.dir());
            next = NextAction();
            if (next && !next->forSystemDialog()) TakeAction();
        }
        if (next && next->verb == ScriptVerb::Wait) {
            if (window.timers().empty() && [&] {
                    for (SimDialogWindow* p : window.pages())
                        if (!p->timers().empty()) return false;
                    return true;
                }())
                Fail("script error: " + next->Describe() + ": " + window.Describe() +
                     " runs no timer, so it would never end");
            Write("waits until " + window.Describe() + " closes");
            waiting = true;
            continue;
        }
        if (next && !next->forSystemDialog()) {
            awaitedControl_ = 0;
            Perform(*next, window);
            if (awaitedControl_ != 0) {
                awaited = awaitedControl_;
                awaitedControl_ = 0;
                waiting = true;
                awaitedSince = std::chrono::steady_clock::now();
            }
            idleSince = system_.GetTickCount();
            continue;
        }
        // The person waits: the next action is for a message box that is not there yet, or
        // there is none. Only timers can move the dialog on.
        if (!FireNextTimer(window)) {
            if (waiting)
                Fail("script error: " + window.Describe() + " stopped its timers while the script waited for it to " +
                     (awaited != 0 ? "enable control " + std::to_string(awaited) : std::string("close")));
            if (next)
                Fail("script error: " + next->Describe() + ": no " +
                     (next->forFileDialog() ? "open-file dialog" : "message box") + " is open; " +
                     window.Describe() + " is open");
            Fail("script error: script ended while " + window.Describe() + " is open");
        }
        if (awaited != 0) {
            const auto idleFrom = timing::Clock::now();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (timing::Enabled()) timing::RecordIdle(process_.programName(), idleFrom, timing::Clock::now());
            if (std::chrono::steady_clock::now() - awaitedSince >
                std::chrono::milliseconds(kLongestIdleWait))
                Fail("script error: control " + std::to_string(awaited) + " of " + window.Describe() +
                     " was not enabled in " + std::to_string(kLongestIdleWait / 60000) + " minutes");
        } else if (!window.ended() && system_.GetTickCount() - idleSince > kLongestIdleWait) {
            // A timer may have ended the dialog after a long wait of its own (a progress dialog
            // waiting for a worker thread): that is the dialog closing, not a hang.
            Fail("script error: " + window.Describe() + " did not close in " +
                 std::to_string(kLongestIdleWait / 60000) + " minutes of waiting");
        }
    }
}

bool DialogHost::FireNextTimer(SimDialogWindow& window) {
    // Every timer of the window and its pages; the earliest due fires first.
    std::vector<SimDialogWindow*> windows{&window};
    for (size_t i = 0; i < windows.size(); ++i)
        for (SimDialogWindow* p : windows[i]->pages()) windows.push_back(p);
    SimDialogWindow* owner = nullptr;
    int timerId = 0;
    std::uint32_t now = system_.GetTickCount();
    std::int32_t soonest = 0;
    for (SimDialogWindow* w : windows) {
        for (const auto& [id, timer] : w->timers()) {
            auto wait = static_cast<std::int32_t>(timer.due - now);
            if (!owner || wait < soonest) {
                owner = w;
                timerId = id;
                soonest = wait;
            }
        }
    }
    if (!owner) return false;
    if (soonest > 0) system_.Sleep(static_cast<std::uint32_t>(soonest));
    SimTimer& timer = owner->timers()[timerId];
    timer.due = system_.GetTickCount() + timer.period;
    owner->logic().OnTimer(*owner, timerId);
    return true;
}

}  // namespace sim
