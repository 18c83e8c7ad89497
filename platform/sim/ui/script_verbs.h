// Parsing of the automation script's dialog actions (click, choose, type, key, ...).
#pragma once
#include <optional>
#include <string>

#include "platform/sim/ui/script.h"

namespace sim {

// Each takes the text after the verb and fills the action; false with the reason.
bool ParseControlOnly(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseControlAndText(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseControlAndChoice(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseControlAndIpAddress(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseKey(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseNoArgument(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseTitle(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseTabCaption(const std::string& argument, ScriptAction& action, std::string& error);
// "ID N": N an int (slide).
bool ParseControlAndNumber(const std::string& argument, ScriptAction& action, std::string& error);
// "ID up" or "ID down" (spin).
bool ParseControlAndDirection(const std::string& argument, ScriptAction& action, std::string& error);
// "ID FILE": a control and a file on the host, blanks kept (save-picture).
bool ParseControlAndHostFile(const std::string& argument, ScriptAction& action, std::string& error);
// A path as written, blanks kept (pick-file).
bool ParseFilePath(const std::string& argument, ScriptAction& action, std::string& error);

// The id a control written as a number stands for ("1030", "-1"); nullopt for a name or a
// number an int cannot hold.
std::optional<int> ControlIdNumber(const std::string& control);
// The entry of "choose ID #N": N from 0 to the largest int; nullopt for anything else.
std::optional<int> ChoiceIndex(const std::string& text);

}  // namespace sim
