// The simulated registry as REGEDIT5 text: one readable, diffable file per machine.
#pragma once
#include <string>
#include <string_view>

#include "platform/sim/state/reg_tree.h"

namespace sim::reg {

// The registry as "Windows Registry Editor Version 5.00" text with CRLF line ends: every key
// below a root as "[HKEY_...\path]" in name order (a root only when it holds values), then its
// values in name order. "@" names the default value. A string that ends in its one terminator
// and holds no line break is written "name"="text"; a four-byte DWORD as dword:xxxxxxxx; binary
// data as hex:..; every other value as hex(type):.., so the exact bytes come back. Strings are
// the programs' code-page bytes, as they were given. Inside quotes \ and " are escaped with a
// backslash and control characters as \n, \r, \t or \xHH, so every name stays on its line; a
// key name with a control character (or one that starts with a quote) is written quoted in
// its key line the same way: [HKEY_LOCAL_MACHINE\SOFTWARE\"Bad\nName"].
std::string FormatRegistry(const Tree& tree);

// Reads that text (REGEDIT4 headers too) into an empty tree. False with a message naming the
// line when the text is not understood; the tree is then incomplete.
bool ParseRegistry(std::string_view text, Tree& tree, std::string& error);

}  // namespace sim::reg
