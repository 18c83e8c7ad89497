// Reading a whole host file.
#include "platform/sim/host_file.h"

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

}  // namespace sim
