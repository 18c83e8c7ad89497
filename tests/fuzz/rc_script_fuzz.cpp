// Fuzz target: the resource-script reader. The input is a script and a header it may include
// as "inc.h". Any text either parses or fails with a message that names the file (and, for
// what a line holds, the line), in bounded time and memory; a parsed script's dialogs and
// controls carry lines inside the text.
#include <algorithm>

#include "platform/sim/ui/rc_script.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts = fuzz::SplitParts(data, size, 2);
    const std::string& header = parts[1];
    sim::RcIncludeSource includes = [&](const std::string& name, const std::string&) -> std::optional<std::string> {
        if (name == "inc.h") return header;
        return std::nullopt;
    };
    sim::RcScript script;
    std::string error;
    if (!sim::ParseResourceScript(parts[0], "script.rc", includes, script, error)) {
        FUZZ_CHECK(error.rfind("script.rc:", 0) == 0 || error.rfind("inc.h:", 0) == 0,
                   "an error that names no file: " + error);
        return 0;
    }
    const long lines = static_cast<long>(std::count(parts[0].begin(), parts[0].end(), '\n') +
                                         std::count(header.begin(), header.end(), '\n')) + 2;
    for (const auto& [id, dialog] : script.dialogs) {
        FUZZ_CHECK(dialog.id == id, "a dialog under another id");
        FUZZ_CHECK(dialog.line >= 1 && dialog.line <= lines, "a dialog's line outside the text");
        for (const sim::RcControl& control : dialog.controls)
            FUZZ_CHECK(control.line >= 1 && control.line <= lines, "a control's line outside the text");
    }
    return 0;
}
