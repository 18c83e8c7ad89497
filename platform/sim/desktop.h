// The simulated desktop: mutexes and windows shared across the machine's processes, message
// boxes answered by the automation script, and the transcript.
#pragma once
#include "platform/desktop.h"
#include "platform/last_error.h"
#include "platform/sim/machine.h"
#include "platform/sim/process.h"

namespace sim {

class SimDesktop : public plat::Desktop {
public:
    SimDesktop(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    std::unique_ptr<plat::Handle> CreateMutexA(bool initialOwner, const char* name) override;
    plat::WindowRef FindWindowA(const char* className, const char* title) override;
    bool SetForegroundWindow(plat::WindowRef window) override;
    bool IsIconic(plat::WindowRef window) override;
    bool OpenIcon(plat::WindowRef window) override;
    int MessageBoxA(plat::WindowRef owner, const char* text, const char* caption,
                    std::uint32_t type) override;
    void Transcript(const char* line) override;

private:
    const Machine& machine_;
    ProcessContext process_;
    plat::LastError& error_;
};

}  // namespace sim
