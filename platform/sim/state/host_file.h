// Reading and replacing a whole file of the machine's own state (or any host file) as bytes.
#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace sim {

// Sets `text` to the file's bytes, unchanged by line-end conventions. False, with `text` left as
// it was, when the file cannot be opened.
bool ReadWholeFile(const std::filesystem::path& file, std::string& text);

// Replaces a file with `bytes` in one step: they go to a temporary file (beside the file, named
// after this process, unless `temp` names another place on the same file system) that is then
// renamed over it, so another process reads the old bytes or the new ones, never half. The
// file's directory is created as needed. False when the bytes cannot be written or the rename
// fails; the temporary file is removed then.
bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view bytes,
                      const std::filesystem::path& temp = {});

}  // namespace sim
