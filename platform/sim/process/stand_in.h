// Stand-in files: what sits on the simulated drive in place of a Windows program (setup.exe,
// Install.exe, ...), naming the native program that runs when it is started.
#pragma once
#include <optional>
#include <string>

namespace sim {

struct StandIn {
    std::string program;  // the native program's file name: "setup", "Install", "uninstall"
    int bits = 32;        // the word size the Windows program was built for
};

// The file's text:
//   winsim stand-in
//   program=Install
//   bits=64
std::string FormatStandIn(const StandIn& standIn);
// Null when the content is not a stand-in (a real executable, a text file, a stand-in with no
// program or an unknown word size). Without a bits line the program is 32-bit.
std::optional<StandIn> ParseStandIn(const std::string& content);

}  // namespace sim
