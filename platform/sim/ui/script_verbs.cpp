// Parsing of the automation script's dialog actions.
#include "platform/sim/ui/script_verbs.h"

#include <array>
#include <cctype>
#include <climits>

#include "common/text.h"
#include "platform/sim/ui/rc_tokens.h"
#include "platform/sim/ui/sim_control.h"

namespace sim {

namespace {

// Splits "ID rest" at the first blank; the rest keeps its inner blanks.
void SplitFirst(const std::string& argument, std::string& first, std::string& rest) {
    size_t blank = argument.find_first_of(" \t");
    first = argument.substr(0, blank);
    rest.clear();
    if (blank == std::string::npos) return;
    size_t start = argument.find_first_not_of(" \t", blank);
    if (start != std::string::npos) rest = argument.substr(start);
}

bool ValidControl(const std::string& control, std::string& error) {
    if (control.empty()) {
        error = "needs a control: its id number or its name from the resource header";
        return false;
    }
    bool number = std::isdigit(static_cast<unsigned char>(control[0])) || control[0] == '-';
    for (size_t i = 0; i < control.size(); ++i) {
        char c = control[i];
        bool ok = number ? (std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && i == 0))
                         : (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        if (!ok) {
            error = "'" + control + "' is neither an id number nor a name";
            return false;
        }
    }
    if (number && !ControlIdNumber(control)) {
        error = "control id " + control + " is out of range (" + std::to_string(INT_MIN) + " to " +
                std::to_string(INT_MAX) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool ParseControlOnly(const std::string& argument, ScriptAction& action, std::string& error) {
    std::string rest;
    SplitFirst(argument, action.control, rest);
    if (!ValidControl(action.control, error)) return false;
    if (!rest.empty()) {
        error = "takes only a control, not '" + rest + "'";
        return false;
    }
    return true;
}

bool ParseControlAndText(const std::string& argument, ScriptAction& action, std::string& error) {
    SplitFirst(argument, action.control, action.text);
    return ValidControl(action.control, error);
}

bool ParseControlAndChoice(const std::string& argument, ScriptAction& action,
                           std::string& error) {
    if (!ParseControlAndText(argument, action, error)) return false;
    if (action.text.empty()) {
        error = "choose needs the entry's text or #INDEX";
        return false;
    }
    if (action.text[0] == '#' && !ChoiceIndex(action.text)) {
        error = "choose #INDEX needs a number from 0 to " + std::to_string(INT_MAX) + " after '#'";
        return false;
    }
    return true;
}

bool ParseControlAndIpAddress(const std::string& argument, ScriptAction& action,
                              std::string& error) {
    if (!ParseControlAndText(argument, action, error)) return false;
    std::array<int, 4> fields{};
    if (!ParseIpFields(action.text, fields)) {
        error = "type-ip needs an address A.B.C.D, each field empty or 0 to 255, not '" + action.text + "'";
        return false;
    }
    return true;
}

std::optional<int> ControlIdNumber(const std::string& control) {
    std::int64_t value = 0;
    if (!common::ParseSignedDecimal(control, INT_MIN, INT_MAX, value)) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<int> ChoiceIndex(const std::string& text) {
    std::uint64_t value = 0;
    if (text.empty() || text[0] != '#' || !common::ParseDecimal(std::string_view(text).substr(1), INT_MAX, value))
        return std::nullopt;
    return static_cast<int>(value);
}

bool ParseKey(const std::string& argument, ScriptAction& action, std::string& error) {
    for (const char* key : {"F1", "Escape", "Enter"}) {
        if (RcEqualsNoCase(argument, key)) {
            action.text = key;
            return true;
        }
    }
    error = "key needs F1, Escape or Enter, not '" + argument + "'";
    return false;
}

bool ParseNoArgument(const std::string& argument, ScriptAction&, std::string& error) {
    if (argument.empty()) return true;
    error = "takes nothing after it, not '" + argument + "'";
    return false;
}

bool ParseTitle(const std::string& argument, ScriptAction& action, std::string&) {
    action.text = argument;
    return true;
}

bool ParseTabCaption(const std::string& argument, ScriptAction& action, std::string& error) {
    if (argument.empty()) {
        error = "tab needs the caption of the tab";
        return false;
    }
    action.text = argument;
    return true;
}

bool ParseControlAndNumber(const std::string& argument, ScriptAction& action, std::string& error) {
    if (!ParseControlAndText(argument, action, error)) return false;
    if (!ControlIdNumber(action.text)) {
        error = "needs a control and a number, not '" + action.text + "'";
        return false;
    }
    return true;
}

bool ParseControlAndDirection(const std::string& argument, ScriptAction& action, std::string& error) {
    if (!ParseControlAndText(argument, action, error)) return false;
    for (const char* direction : {"up", "down"}) {
        if (common::EqualsNoCase(action.text, direction)) {
            action.text = direction;
            return true;
        }
    }
    error = "spin needs up or down after the control, not '" + action.text + "'";
    return false;
}

bool ParseControlAndHostFile(const std::string& argument, ScriptAction& action, std::string& error) {
    if (!ParseControlAndText(argument, action, error)) return false;
    if (action.text.empty()) {
        error = "save-picture needs a control and the PNG file to write on the host";
        return false;
    }
    return true;
}

bool ParseFilePath(const std::string& argument, ScriptAction& action, std::string& error) {
    if (argument.empty()) {
        error = "pick-file needs the file's path on the simulated machine";
        return false;
    }
    action.text = argument;
    return true;
}

}  // namespace sim
