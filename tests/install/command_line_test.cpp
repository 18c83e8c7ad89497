// The installer's command line: which argument is the operation, its code and device count.
#include <gtest/gtest.h>

#include <vector>

#include "install/InstallerCommandLine.h"

namespace {

struct Case {
    std::vector<const char*> args;  // after the program's name
    int operation;
    int count;
};

TEST(InstallerCommandLine, OperationCodeAndDeviceCount) {
    const Case cases[] = {
        {{}, 0, 1},
        {{"2"}, 2, 1},
        {{"22"}, 22, 1},
        {{"8-3"}, 8, 3},
        {{"8-0"}, 8, 1},        // not positive
        {{"8-255"}, 8, 255},    // the largest count
        {{"8-256"}, 8, 1},      // above 255
        {{"8-300"}, 8, 1},
        {{"8"}, 8, 1},
        {{"8-"}, 8, 1},         // nothing after the dash
        {{"8--4"}, 8, 1},       // negative
        {{"8-4x"}, 8, 4},       // the count's leading digits
        {{"8-99999999999"}, 8, 1},  // too large for any integer type atoi would fill
        {{"/q", "-x", "8-2"}, 8, 2},  // switches are passed over
        {{"/q"}, 0, 1},
        {{"abc"}, 0, 1},        // no leading number
        {{"5", "8-2"}, 5, 1},   // only the first operation text counts
        {{"1x"}, 1, 1},
        {{"99999999999"}, 0, 1},  // no int: no operation
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"Install.exe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args.back());
        install::InstallerCommand command =
            install::ParseInstallerCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command.operation, c.operation);
        EXPECT_EQ(command.deviceCount, c.count);
    }
}

}  // namespace
