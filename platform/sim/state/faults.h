// Injected registry faults: a machine-wide list of key paths whose registry calls fail with a given error.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// One fault. It applies to calls on the key and every key below it, compared without letter
// case on the path the call really reaches (after the 32-bit view's redirection, with
// HKEY_CLASSES_ROOT as HKEY_LOCAL_MACHINE\SOFTWARE\Classes).
struct RegistryFault {
    std::string operation = "*";  // a Registry method ("SetValue", "DeleteKey", ...) or "*"
    std::int32_t error = 0;       // the Win32 error code the call returns
    std::uint32_t times = 0;      // how many calls fail before the fault is used up; 0 = all
    std::string keyPath;          // "HKEY_LOCAL_MACHINE\\SYSTEM\\..."; HKLM, HKCU, HKU, HKCR too
};

// The state file, "registry-faults.txt" in the machine's state directory: one fault a line,
// "<operation> <error> <times> <key path>", '#' starts a comment line.
std::filesystem::path RegistryFaultsFile(const Machine& machine);

std::string FormatRegistryFaults(const std::vector<RegistryFault>& faults);
// False with a message naming the line when a line is not understood.
bool ParseRegistryFaults(std::string_view text, std::vector<RegistryFault>& out,
                         std::string& error);

// The Registry methods a fault can name instead of "*", as the simulated registry names them.
const std::vector<std::string>& RegistryFaultOperations();
// True when the key path starts with a registry root: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
// HKEY_USERS, HKEY_CLASSES_ROOT or its short form HKLM, HKCU, HKU, HKCR (any letter case).
bool IsRegistryFaultPath(std::string_view keyPath);

// Every fault in place, in the order they are tried, read under the machine lock. False with a
// message when the state file cannot be read.
bool ReadRegistryFaults(const Machine& machine, std::vector<RegistryFault>& out,
                        std::string& error);

// Adds one fault, or removes them all, under the machine lock.
bool AddRegistryFault(const Machine& machine, const RegistryFault& fault, std::string& error);
bool ClearRegistryFaults(const Machine& machine, std::string& error);

// For a registry call about to run (the caller holds the machine lock): the error of the
// first fault that applies, using up one of its counted failures, or ERROR_SUCCESS. A fault
// file that cannot be read fails every call with ERROR_CANTREAD and a message on stderr.
std::int32_t TakeRegistryFault(const Machine& machine, std::string_view operation,
                               const std::vector<std::string>& keyPath);

}  // namespace sim
