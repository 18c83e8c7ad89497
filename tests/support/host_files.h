// Reading and writing whole files on the host (a machine's own files, scratch files), byte for
// byte, for tests that set up or inspect files outside the simulated programs.
#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testsupport {

// The file's bytes; empty when it cannot be read.
inline std::string ReadHostFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Replaces the file with `text`, making its directory first when there is none.
inline void WriteHostFile(const std::filesystem::path& path, const std::string& text) {
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

}  // namespace testsupport
