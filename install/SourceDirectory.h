// The directory that holds the program: its module path cut at the last backslash.
#pragma once
#include <string>

#include "platform/files.h"

namespace install {

// The module path is read into 256 characters; a path without a backslash gives "".
std::string SourceDirectory(plat::FileSystem& files);

}  // namespace install
