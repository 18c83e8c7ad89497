// Files held open by another program or denied to everyone, as winsim sets them up.
//
// They are the machine's file state, which every process then meets, and last until released.
// Calls that fail with a chosen error are call faults (faults.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// Paths are absolute Windows paths on drive C (a relative path counts from "C:\\"). Each
// function returns 0 or a Win32 error code.

// Holds an existing file open with the given access (GENERIC_READ, GENERIC_WRITE) and share
// mode (FILE_SHARE_*), as another program would: the machine's processes then meet Windows'
// sharing rules on it. ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when the file does not
// exist, ERROR_SHARING_VIOLATION when the file's current handles do not allow it.
std::uint32_t HoldFileOpen(const Machine& machine, const std::string& windowsPath,
                           std::uint32_t access, std::uint32_t shareMode);
// Makes every open, write, delete and attribute change of the path fail with
// ERROR_ACCESS_DENIED (the file need not exist yet). Reading its attributes still works.
std::uint32_t DenyFileAccess(const Machine& machine, const std::string& windowsPath);
// Removes the holds and the access-denied mark of a path. ERROR_FILE_NOT_FOUND when it had
// none.
std::uint32_t ReleaseFile(const Machine& machine, const std::string& windowsPath);

// The holds and denials in place, for people: one line each, "held ACCESS SHARE PATH" or "denied PATH",
// with access and share mode in hexadecimal and the path in upper case.
std::vector<std::string> ListFileHolds(const Machine& machine);

}  // namespace sim
