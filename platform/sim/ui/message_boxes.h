// Message boxes answered by the automation script: its expect and answer lines.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/api/desktop.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/ui/script.h"

namespace sim {

// The next message box takes the script's expect lines (each must be met) and its answer line
// (the box must offer that button). When the script's next action is for a dialog, or none is
// left, or there is no script, the box takes its default button and `how` says why. A script
// that cannot be read, an expectation not met or an answer the box does not offer is a script
// error: the desktop writes it and ends the process with exit code 3.
class ScriptedAnswers : public MessageBoxAnswers {
public:
    ScriptedAnswers(const Machine& machine, const ProcessContext& process, SimDesktop& desktop);

    int Answer(const std::string& boxLine, const std::string& text, const std::vector<int>& buttons,
               int defaultButton, std::string& how) override;

private:
    const Machine& machine_;
    ProcessContext process_;
    SimDesktop& desktop_;
    std::unique_ptr<ScriptRun> script_;  // loaded at the first message box
};

}  // namespace sim
