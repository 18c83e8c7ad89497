// Windows path arithmetic for the simulated machine: joining, normalising and splitting.
#pragma once
#include <string>
#include <vector>

namespace sim {

// The absolute, normalised form of a Windows path given the current directory: forward
// slashes become backslashes, "." and ".." are resolved, repeated separators fold, the drive
// letter is upper case, a trailing backslash is dropped (but "C:\\" stays). A path that starts
// with a backslash is on the current drive. Empty when the path is empty or not understood
// (another drive's relative form "D:x", a UNC path).
std::string AbsoluteWindowsPath(const std::string& currentDir, const std::string& path);

// The components below the drive of an absolute path: "C:\\a\\b" gives {"a", "b"}.
std::vector<std::string> PathComponents(const std::string& absolutePath);

// The directory part with its trailing backslash ("C:\\a\\b.exe" gives "C:\\a\\"), and the file
// name part ("b.exe").
std::string DirectoryOf(const std::string& path);
std::string FileNameOf(const std::string& path);

}  // namespace sim
