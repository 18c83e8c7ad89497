// Parsing of the automation script for the Windows-side driver.
#include "tools/windriver/driver_script.h"

#include <cstdint>
#include <sstream>

#include "common/text.h"

namespace windriver {

namespace {

enum class Shape { None, Text, Control, ControlAndText, Answer, Key };

struct Verb {
    const char* name;
    Shape shape;
};
constexpr Verb kVerbs[] = {
    {"answer", Shape::Answer},        {"expect", Shape::Text},          {"click", Shape::Control},
    {"choose", Shape::ControlAndText}, {"type", Shape::ControlAndText}, {"leave", Shape::Control},
    {"tick", Shape::Control},         {"untick", Shape::Control},       {"key", Shape::Key},
    {"close", Shape::None},           {"sys", Shape::Control},          {"wait", Shape::None},
    {"show", Shape::None},            {"expect-text", Shape::ControlAndText},
    {"expect-title", Shape::Text},
};

constexpr const char* kButtons[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
constexpr const char* kKeys[] = {"F1", "Escape", "Enter"};

// The spelling of `word` in `names` regardless of letter case, or empty.
template <std::size_t N>
std::string Canonical(const std::string& word, const char* const (&names)[N]) {
    for (const char* name : names)
        if (common::EqualsNoCase(word, name)) return name;
    return {};
}

// A control written as a number must be one an int holds, so the driver's conversion of it
// never wraps; a name passes here and is looked up when the action is taken.
bool NumberFits(const std::string& control) {
    const bool number = (control[0] >= '0' && control[0] <= '9') || control[0] == '-';
    std::int64_t value = 0;
    return !number || common::ParseSignedDecimal(control, INT32_MIN, INT32_MAX, value);
}

// "#N" of choose: N from 0 to the largest int.
bool IndexFits(const std::string& text) {
    std::uint64_t value = 0;
    return common::ParseDecimal(std::string_view(text).substr(1), INT32_MAX, value);
}

bool ParseLine(const std::string& source, DriverAction& action, std::string& error) {
    std::size_t verbEnd = source.find_first_of(" \t");
    std::string verb = common::ToLowerAscii(source.substr(0, verbEnd));
    std::string rest(verbEnd == std::string::npos ? "" : common::Trim(source.substr(verbEnd)));
    const Verb* rule = nullptr;
    for (const Verb& v : kVerbs)
        if (verb == v.name) rule = &v;
    if (!rule) {
        error = "unknown action '" + verb + "'";
        return false;
    }
    action.verb = verb;
    switch (rule->shape) {
        case Shape::None:
            if (!rest.empty()) error = verb + " takes no argument";
            break;
        case Shape::Text:
            // expect-title may expect an empty title; expect needs a text.
            if (rest.empty() && verb == "expect") error = "expect needs the text the message box must contain";
            action.text = rest;
            break;
        case Shape::Answer:
            action.text = Canonical(rest, kButtons);
            if (action.text.empty())
                error = "answer needs one of OK, Cancel, Yes, No, Abort, Retry, Ignore, not '" + rest + "'";
            break;
        case Shape::Key:
            action.text = Canonical(rest, kKeys);
            if (action.text.empty()) error = "key needs one of F1, Escape, Enter, not '" + rest + "'";
            break;
        case Shape::Control:
        case Shape::ControlAndText: {
            std::size_t controlEnd = rest.find_first_of(" \t");
            action.control = rest.substr(0, controlEnd);
            // The text after the control keeps its inner blanks.
            if (controlEnd != std::string::npos) action.text = std::string(common::Trim(rest.substr(controlEnd)));
            if (action.control.empty()) error = verb + " needs a control";
            else if (rule->shape == Shape::Control && !action.text.empty()) error = verb + " takes a control only";
            else if (verb == "choose" && action.text.empty()) error = "choose needs an entry";
            else if (!NumberFits(action.control)) error = "control id " + action.control + " is not a number an int holds";
            else if (verb == "choose" && action.text[0] == '#' && !IndexFits(action.text))
                error = "choose #INDEX needs a number from 0 to 2147483647 after '#'";
            break;
        }
    }
    return error.empty();
}

}  // namespace

bool ParseDriverScript(const std::string& text, std::vector<DriverAction>& out, std::string& error) {
    std::istringstream lines(text);
    std::string raw;
    int number = 0;
    out.clear();
    while (std::getline(lines, raw)) {
        ++number;
        std::string source(common::Trim(raw));
        if (source.empty() || source[0] == '#') continue;
        DriverAction action;
        action.line = number;
        action.source = source;
        std::string why;
        if (!ParseLine(source, action, why)) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
        out.push_back(std::move(action));
    }
    return true;
}

}  // namespace windriver
