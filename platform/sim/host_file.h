// Reading a whole file of the machine's own state (or any host file) as bytes.
#pragma once
#include <filesystem>
#include <string>

namespace sim {

// Sets `text` to the file's bytes, unchanged by line-end conventions. False, with `text` left as
// it was, when the file cannot be opened.
bool ReadWholeFile(const std::filesystem::path& file, std::string& text);

}  // namespace sim
