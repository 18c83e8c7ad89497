// Running a command line the way a person at a shell would, for tests of the command-line tools.
#pragma once
#include <string>

namespace testsupport {

struct ShellRun {
    int status = -1;     // the exit status; -1 when the command could not run or did not exit
    std::string output;  // what it wrote to standard output
};

// Runs the command with /bin/sh; redirections in it apply as typed ("2>&1", "2>/dev/null").
ShellRun RunShell(const std::string& command);

}  // namespace testsupport
