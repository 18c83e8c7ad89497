// Reading and replacing whole host files.
#include "platform/sim/state/host_file.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace sim {

bool ReadWholeFile(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::stringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool ReplaceWholeFile(const std::filesystem::path& file, std::string_view bytes,
                      const std::filesystem::path& temp) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    fs::path staging = temp;
    if (staging.empty()) {
        staging = file;
        staging += "." + std::to_string(::getpid()) + ".tmp";
    }
    bool written = false;
    {
        std::ofstream out(staging, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        written = static_cast<bool>(out.flush());
    }
    if (written) {
        fs::rename(staging, file, ec);
        if (!ec) return true;
    }
    fs::remove(staging, ec);
    return false;
}

}  // namespace sim
