// Fuzz target: the automation script, as the simulator and as the Windows-side driver read it.
// Both take the same scripts; a parsed action names its line, numbers in it fit an int, and a
// refusal names the line it stops at.
#include <algorithm>

#include "platform/sim/ui/script.h"
#include "platform/sim/ui/script_verbs.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/windriver/driver_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    std::vector<sim::ScriptAction> actions;
    std::string error;
    const bool ok = sim::ParseScript(text, actions, error);
    if (!ok) {
        FUZZ_CHECK(error.rfind("line ", 0) == 0, "an error that names no line: " + error);
    } else {
        for (const sim::ScriptAction& a : actions) {
            FUZZ_CHECK(a.line >= 1 && a.line <= lines, "an action's line outside the script");
            FUZZ_CHECK(!a.source.empty(), "an action without its text");
            const bool number = !a.control.empty() && (std::isdigit(static_cast<unsigned char>(a.control[0])) || a.control[0] == '-');
            if (number) FUZZ_CHECK(sim::ControlIdNumber(a.control).has_value(), "a control number an int cannot hold");
            if (a.verb == sim::ScriptVerb::Choose && a.text[0] == '#')
                FUZZ_CHECK(sim::ChoiceIndex(a.text).has_value(), "a #INDEX an int cannot hold");
        }
    }
    std::vector<windriver::DriverAction> driven;
    std::string driverError;
    const bool driverOk = windriver::ParseDriverScript(text, driven, driverError);
    if (!driverOk) FUZZ_CHECK(driverError.rfind("line ", 0) == 0, "a driver error that names no line: " + driverError);
    return 0;
}
