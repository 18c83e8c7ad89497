// Resource scripts (.rc) as the simulator reads them: the dialog templates, string tables and
// other resources of a program, parsed from the same files windres compiles.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// One control of a dialog template, with the style the resource compiler would give it (the
// statement's default style, WS_CHILD and WS_VISIBLE, the written style, less what NOT removed).
struct RcControl {
    int id = 0;
    std::string idName;     // the symbol the script used for the id ("IDC_NEXT"), may be empty
    std::string className;  // the window class: "Button", "Edit", "Static", "msctls_progress32", ...
    std::string text;       // in the script's code page; for ICON the resource name or number
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string statement;  // "AUTORADIOBUTTON", "CONTROL", ...
    int line = 0;
};

struct RcDialog {
    int id = 0;
    std::string idName;
    bool extended = false;  // DIALOGEX
    int x = 0, y = 0, cx = 0, cy = 0;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::string caption;
    std::string fontFace;
    int fontSize = 0;
    int fontWeight = 0;
    std::string className;
    std::string menu;
    std::vector<RcControl> controls;
    std::string file;
    int line = 0;

    const RcControl* FindControl(int controlId) const;
};

// A resource other than a dialog or string: ICON, BITMAP, VERSIONINFO, a manifest, ...
struct RcOtherResource {
    std::string name;  // the id as written or its number
    std::string type;  // "ICON", "BITMAP", "VERSIONINFO", "24", ...
    std::string file;  // the file it names, empty for a block
};

struct RcScript {
    std::map<int, RcDialog> dialogs;
    std::map<int, std::string> strings;
    std::vector<RcOtherResource> others;
    // Every #define seen with a number value, from the script and its headers.
    std::map<std::string, long> symbols;

    const RcDialog* FindDialog(int id) const;
    // The id of a symbol ("IDC_NEXT"), if the script or its headers define it.
    std::optional<long> Symbol(const std::string& name) const;
    // The symbol naming an id, the first defined in order of name; empty when none does.
    std::string SymbolOf(long value, const std::string& prefix) const;
};

// Gives the text of an included file, by the name written in #include "NAME" and the file that
// includes it; nullopt when it cannot be found.
using RcIncludeSource =
    std::function<std::optional<std::string>(const std::string& name, const std::string& from)>;

// Parses a resource script. Angle-bracket includes (<windows.h>, <commctrl.h>, ...) are the
// system's: the parser knows their constants itself. Anything not understood fails with
// "FILE:LINE: what" in error.
bool ParseResourceScript(const std::string& text, const std::string& fileName,
                         const RcIncludeSource& includes, RcScript& out, std::string& error);

}  // namespace sim
