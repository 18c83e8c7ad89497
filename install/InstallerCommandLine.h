// The installer's command line: an operation code and, for operation 8, a device count.
#pragma once

namespace install {

struct InstallerCommand {
    int operation = 0;    // 0 when there is no operation text or it has no leading number
    int deviceCount = 1;  // 1..255
};

// The first argument (after the program's name) that does not begin with '/' or '-' is the
// operation text "N" or "N-M". N is read as atoi reads it; M, the number after a '-' past the
// first character, is the device count, 1 when it is missing, not positive or above 255.
InstallerCommand ParseInstallerCommandLine(int argc, const char* const* argv);

}  // namespace install
