// Parsing of the automation script's dialog actions (click, choose, type, key, ...).
#pragma once
#include <string>

#include "platform/sim/ui/script.h"

namespace sim {

// Each takes the text after the verb and fills the action; false with the reason.
bool ParseControlOnly(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseControlAndText(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseControlAndChoice(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseKey(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseNoArgument(const std::string& argument, ScriptAction& action, std::string& error);
bool ParseTitle(const std::string& argument, ScriptAction& action, std::string& error);

}  // namespace sim
