// Reading the operation text from the command line.
#include "install/InstallerCommandLine.h"

#include <cstdlib>
#include <cstring>

namespace install {

namespace {

constexpr int kMaxDeviceCount = 255;

const char* OperationText(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg && arg[0] != '/' && arg[0] != '-') return arg;
    }
    return nullptr;
}

}  // namespace

InstallerCommand ParseInstallerCommandLine(int argc, const char* const* argv) {
    InstallerCommand command;
    const char* text = OperationText(argc, argv);
    if (!text) return command;
    // Read as atoi reads it, but without atoi's undefined overflow: a number too large for an
    // int is no operation code anyway.
    long operation = std::strtol(text, nullptr, 10);
    command.operation = operation >= 0 && operation <= 0x7FFFFFFF ? static_cast<int>(operation) : 0;
    // A '-' in first place is the number's own sign, not the count's separator.
    const char* dash = text[0] != '\0' ? std::strchr(text + 1, '-') : nullptr;
    if (dash) {
        // strtol instead of atoi: a count like 99999999999 must not overflow into a small one.
        long count = std::strtol(dash + 1, nullptr, 10);
        if (count >= 1 && count <= kMaxDeviceCount) command.deviceCount = static_cast<int>(count);
    }
    return command;
}

}  // namespace install
