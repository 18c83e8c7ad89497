// The program's own directory.
#include "install/SourceDirectory.h"

namespace install {

std::string SourceDirectory(plat::FileSystem& files) {
    char path[257] = {};
    std::uint32_t length = files.GetModuleFileNameA(path, 257);
    if (length > 256) length = 256;
    std::string directory(path, length);
    std::size_t slash = directory.rfind('\\');
    return slash == std::string::npos ? std::string() : directory.substr(0, slash);
}

}  // namespace install
