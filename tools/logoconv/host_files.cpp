// Whole-file reads and writes on the host.
#include "host_files.h"

#include <fstream>
#include <iterator>

namespace logoconv {

bool HostFiles::Read(const std::string& path, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return false;
    out = std::move(bytes);
    return true;
}

bool HostFiles::Write(const std::string& path, const std::vector<std::uint8_t>& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    file.close();
    return !file.fail();
}

}  // namespace logoconv
