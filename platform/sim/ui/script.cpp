// The automation script: parsing, and the machine-wide position of the running script.
#include "platform/sim/ui/script.h"

#include <fstream>
#include <sstream>

#include "common/text.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/line_escape.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/ui/script_verbs.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

struct Button {
    const char* name;
    int id;
};
constexpr Button kButtons[] = {{"OK", IDOK},         {"Cancel", IDCANCEL}, {"Abort", IDABORT},
                               {"Retry", IDRETRY},   {"Ignore", IDIGNORE}, {"Yes", IDYES},
                               {"No", IDNO}};

bool ParseAnswer(const std::string& argument, ScriptAction& action, std::string& error) {
    for (const Button& b : kButtons) {
        if (common::EqualsNoCase(argument, b.name)) {
            action.argument = b.name;
            action.answerId = b.id;
            return true;
        }
    }
    error = "answer needs one of OK, Cancel, Yes, No, Abort, Retry, Ignore, not '" + argument +
            "'";
    return false;
}

bool ParseExpect(const std::string& argument, ScriptAction& action, std::string& error) {
    if (argument.empty()) {
        error = "expect needs the text the message box must contain";
        return false;
    }
    action.argument = argument;
    return true;
}

// One row per verb; a new action is a new row and its argument parser.
struct VerbRule {
    const char* name;
    ScriptVerb verb;
    bool (*parse)(const std::string& argument, ScriptAction& action, std::string& error);
};
constexpr VerbRule kVerbs[] = {
    {"answer", ScriptVerb::Answer, ParseAnswer},
    {"expect", ScriptVerb::Expect, ParseExpect},
    {"click", ScriptVerb::Click, ParseControlOnly},
    {"choose", ScriptVerb::Choose, ParseControlAndChoice},
    {"type", ScriptVerb::Type, ParseControlAndText},
    {"type-ip", ScriptVerb::TypeIp, ParseControlAndIpAddress},
    {"leave", ScriptVerb::Leave, ParseControlOnly},
    {"tick", ScriptVerb::Tick, ParseControlOnly},
    {"untick", ScriptVerb::Untick, ParseControlOnly},
    {"tick-row", ScriptVerb::TickRow, ParseControlAndText},
    {"untick-row", ScriptVerb::UntickRow, ParseControlAndText},
    {"key", ScriptVerb::Key, ParseKey},
    {"close", ScriptVerb::Close, ParseNoArgument},
    {"sys", ScriptVerb::Sys, ParseControlOnly},
    {"wait", ScriptVerb::Wait, ParseNoArgument},
    {"wait-enabled", ScriptVerb::WaitEnabled, ParseControlOnly},
    {"show", ScriptVerb::Show, ParseNoArgument},
    {"expect-text", ScriptVerb::ExpectText, ParseControlAndText},
    {"expect-title", ScriptVerb::ExpectTitle, ParseTitle},
    {"tab", ScriptVerb::Tab, ParseTabCaption},
    {"apply", ScriptVerb::Apply, ParseNoArgument},
    {"select-row", ScriptVerb::SelectRow, ParseControlAndChoice},
    {"double-click-row", ScriptVerb::DoubleClickRow, ParseControlAndChoice},
    {"slide", ScriptVerb::Slide, ParseControlAndNumber},
    {"spin", ScriptVerb::Spin, ParseControlAndDirection},
    {"pick-file", ScriptVerb::PickFile, ParseFilePath},
    {"cancel-file", ScriptVerb::CancelFile, ParseNoArgument},
    {"save-picture", ScriptVerb::SavePicture, ParseControlAndHostFile},
};

fs::path CursorFile(const fs::path& machineDir) {
    return machineDir / "state" / "script-position.txt";
}

}  // namespace

std::string ScriptAction::Describe() const { return "line " + std::to_string(line) + ": " + source; }

bool ParseScript(const std::string& text, std::vector<ScriptAction>& out, std::string& error) {
    std::vector<ScriptAction> actions;
    std::istringstream in(text);
    std::string raw;
    for (int lineNo = 1; std::getline(in, raw); ++lineNo) {
        std::string line(common::Trim(raw));
        if (line.empty() || line[0] == '#') continue;
        size_t blank = line.find_first_of(" \t");
        std::string verb = line.substr(0, blank);
        std::string argument(blank == std::string::npos ? "" : common::Trim(std::string_view(line).substr(blank)));
        const VerbRule* rule = nullptr;
        for (const VerbRule& r : kVerbs)
            if (common::EqualsNoCase(verb, r.name)) rule = &r;
        if (!rule) {
            error = "line " + std::to_string(lineNo) + ": unknown action '" + verb + "'";
            return false;
        }
        ScriptAction action;
        action.line = lineNo;
        action.verb = rule->verb;
        action.source = line;
        std::string why;
        if (!rule->parse(argument, action, why)) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        }
        actions.push_back(action);
    }
    out = std::move(actions);
    return true;
}

ScriptRun::ScriptRun(fs::path machineDir, fs::path script)
    : machineDir_(std::move(machineDir)), script_(fs::absolute(script).lexically_normal()) {}

void ScriptRun::Restart() { SetPosition(0); }

bool ScriptRun::Load(std::string& error) {
    std::string text;
    if (!ReadWholeFile(script_, text)) {
        error = "cannot read the script " + script_.string();
        return false;
    }
    if (!ParseScript(text, actions_, error)) {
        error = script_.filename().string() + " " + error;
        return false;
    }
    return true;
}

std::vector<ScriptAction> ScriptRun::Remaining() const {
    MachineLock lock(machineDir_);
    std::size_t position = Position();
    if (position >= actions_.size()) return {};
    return std::vector<ScriptAction>(actions_.begin() + static_cast<std::ptrdiff_t>(position),
                                     actions_.end());
}

std::optional<ScriptAction> ScriptRun::Next() const {
    MachineLock lock(machineDir_);
    std::size_t position = Position();
    if (position >= actions_.size()) return std::nullopt;
    return actions_[position];
}

void ScriptRun::Take() {
    MachineLock lock(machineDir_);
    SetPosition(Position() + 1);
}

// The position file names the script it belongs to (escaped, so any host path stays on its
// line); another script's position is 0.
std::size_t ScriptRun::Position() const {
    std::ifstream in(CursorFile(machineDir_));
    std::size_t position = 0;
    std::string path;
    if (!(in >> position) || !std::getline(in >> std::ws, path)) return 0;
    return UnescapeLineField(path) == script_.string() ? position : 0;
}

void ScriptRun::SetPosition(std::size_t position) const {
    MachineLock lock(machineDir_);
    ReplaceWholeFile(CursorFile(machineDir_), std::to_string(position) + "\t" +
                                                  EscapeLineField(script_.string()) + "\n");
}

}  // namespace sim
