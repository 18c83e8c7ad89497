// Injected call faults: one machine-wide list of Win32 calls that fail with a chosen error.
//
// Every stand-in asks this list before it does anything, the same way: "RegSetValueExA on this
// key", "CopyFileA onto this file", "WritePrinter on this printer". A fault names the call by
// the API's own name, the Win32 error it returns, how many calls it fails (0: every one) and,
// optionally, a target: the key, file or printer it is limited to. Files held open by another
// program or denied are not call faults but file state (file_holds.h).
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// What a call acts on, which decides how a fault's target is compared with it.
enum class FaultTarget {
    None,     // nothing: a fault with a target never applies
    KeyPath,  // a registry key, "HKEY_LOCAL_MACHINE\\SOFTWARE\\..." as the call really reaches it
              // (HKLM, HKCU, HKU and HKCR accepted; HKCR is HKLM\SOFTWARE\Classes): the key
              // and every key below it
    FilePath, // a Windows path on drive C: the file or directory and everything below it
    Name,     // a name such as a printer's: equal names, letter case aside
};

struct CallFault {
    // The API's name ("RegSetValueExA"), or a prefix ending in '*' for every call whose name
    // starts with it ("Reg*"). Letter case does not matter.
    std::string call;
    std::uint32_t error = 0;  // the Win32 error code the call gives
    std::uint32_t times = 0;  // how many calls fail before the fault is used up; 0: every call
    std::string target;       // empty: any target; as written otherwise
};

// True when the fault names this call (its name, or a prefix pattern that covers it).
bool FaultNamesCall(const CallFault& fault, std::string_view call);
// True when the fault's target (as written) covers the call's target, compared as `kind` says.
bool FaultTargetCovers(std::string_view faultTarget, FaultTarget kind, std::string_view callTarget);
// The registry call a plat::Registry method makes ("SetValue" gives "RegSetValueExA", "*" gives
// "Reg*"), as older fault files and winsim's reg-fail name them; empty for another word.
std::string RegistryCallOfMethod(std::string_view method);
// True when the text is a key path below a registry root (HKLM, HKEY_LOCAL_MACHINE, HKCU, HKU,
// HKCR and their long names, any letter case).
bool IsKeyPath(std::string_view text);

// The state file "faults.txt" in the machine's state directory: one fault a line,
// "<call> <error> <times> [<target>]", '#' starts a comment line. The target is written with
// EscapeLineField (line_escape.h), so a key name with a line break stays on its line.
// Machines made before the list was one kept "registry-faults.txt" and "spooler-faults.txt";
// they are still read, and the next change writes their faults into "faults.txt" and removes
// them.
std::filesystem::path FaultsFile(const Machine& machine);

std::string FormatFaults(const std::vector<CallFault>& faults);
// False with a message naming the line when a line is not understood.
bool ParseFaults(std::string_view text, std::vector<CallFault>& out, std::string& error);

// Every fault in place, in the order they are tried. False with a message when a state file
// cannot be read.
bool ReadFaults(const Machine& machine, std::vector<CallFault>& out, std::string& error);
// Adds one fault after the others.
bool AddFault(const Machine& machine, const CallFault& fault, std::string& error);
// Removes the faults `which` picks (every fault when it is empty).
bool ClearFaults(const Machine& machine, std::string& error,
                 const std::function<bool(const CallFault&)>& which = {});

// For a call about to run: the error of the first fault that names it and covers its target,
// using up one counted failure, or ERROR_SUCCESS. Takes the machine lock. A state file that
// cannot be read fails the call with ERROR_CANTREAD and a message on stderr.
std::uint32_t TakeFault(const Machine& machine, std::string_view call, FaultTarget kind,
                        std::string_view target);

}  // namespace sim
