// Message boxes answered by the automation script: its expect and answer lines.
#include "platform/sim/ui/message_boxes.h"

#include <optional>

namespace sim {

ScriptedAnswers::ScriptedAnswers(const Machine& machine, const ProcessContext& process,
                                 SimDesktop& desktop)
    : machine_(machine), process_(process), desktop_(desktop) {}

int ScriptedAnswers::Answer(const std::string& boxLine, const std::string& text,
                            const std::vector<int>& buttons, int defaultButton, std::string& how) {
    if (process_.script.empty()) {
        how = "default button; no script";
        return defaultButton;
    }
    if (!script_) {
        auto run = std::make_unique<ScriptRun>(machine_.dir(), process_.script);
        std::string error;
        if (!run->Load(error)) {
            desktop_.Write(boxLine + " -> script error");
            desktop_.Fail("script error: " + error);
        }
        script_ = std::move(run);
    }
    // Looking at the next action and taking it is one step for the whole machine.
    MachineLock lock(machine_.dir());
    std::optional<ScriptAction> next = script_->Next();
    for (; next && next->verb == ScriptVerb::Expect; next = script_->Next()) {
        if (text.find(next->argument) == std::string::npos) {
            desktop_.Write(boxLine + " -> script error");
            desktop_.Fail("script error: " + next->Describe() + ": the message box says \"" + text + "\"");
        }
        script_->Take();
    }
    if (next && next->verb == ScriptVerb::Answer) {
        bool offered = false;
        for (int id : buttons) offered = offered || id == next->answerId;
        if (!offered) {
            desktop_.Write(boxLine + " -> script error");
            desktop_.Fail("script error: " + next->Describe() + ": the message box offers only " +
                          ButtonNames(buttons));
        }
        script_->Take();
        how = "script line " + std::to_string(next->line);
        return next->answerId;
    }
    how = next ? "default button; the script's next action is " + next->Describe()
               : "default button; no script action left";
    return defaultButton;
}

}  // namespace sim
