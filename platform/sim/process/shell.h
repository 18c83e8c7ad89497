// The shell of the simulated machine: ShellExecuteA opens documents in viewer windows and starts
// the native program behind a stand-in as another process of the machine.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/api/desktop.h"
#include "platform/sim/api/files.h"
#include "platform/sim/api/top_level_window.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// A document opens in a viewer window titled "NAME - Notepad" for a .txt file and "NAME -
// Viewer" for others, which stays open while this process runs. A stand-in (winsim mount
// places them) starts its native program without waiting for it, as Windows does, with this
// process's script. Relative paths count from the process's current directory.
class ProcessShell : public Shell {
public:
    ProcessShell(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
                 SimFileSystem& files);

    std::intptr_t ShellExecuteA(plat::WindowRef owner, const char* verb, const char* file,
                                const char* parameters, const char* directory,
                                int showCommand) override;

private:
    // Starts the native program behind a stand-in; false when it cannot be started.
    bool StartStandIn(const std::string& program, int bits, const std::string& file,
                      const std::string& parameters, const std::string& directory);

    const Machine& machine_;
    ProcessContext process_;
    SimDesktop& desktop_;
    SimFileSystem& files_;
    std::vector<std::unique_ptr<TopLevelWindow>> viewers_;
};

}  // namespace sim
