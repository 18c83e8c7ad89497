// Suspension of a 32-bit program's System32 redirection on 64-bit Windows, for one copy or
// directory search at a time.
#pragma once
#include "platform/platform.h"

namespace setup {

// Looks the two functions up by name ("Kernel32.dll") each time, as systems before XP SP2 lack
// them, and suspends redirection for the object's life. Without the 64-bit flag nothing is done.
class RedirectionSuspension {
public:
    enum class State {
        NotNeeded,    // 32-bit Windows: System32 is not redirected
        Suspended,    // redirection is off until the object ends
        Unavailable,  // the functions could not be found: work goes on redirected
        Failed,       // the suspension call failed
    };

    RedirectionSuspension(plat::Platform& platform, bool is64Bit);
    ~RedirectionSuspension();
    RedirectionSuspension(const RedirectionSuspension&) = delete;
    RedirectionSuspension& operator=(const RedirectionSuspension&) = delete;

    // What could not be found when the state is Unavailable.
    enum class Missing { Nothing, Kernel32, DisableFunction, RevertFunction, BothFunctions };

    State state() const { return state_; }
    bool failed() const { return state_ == State::Failed; }
    Missing missing() const { return missing_; }

private:
    plat::Platform& platform_;
    State state_ = State::NotNeeded;
    Missing missing_ = Missing::Nothing;
    bool canRevert_ = false;
    void* oldValue_ = nullptr;
};

inline constexpr const char* kKernel32Missing = "Can't Load Kernel32.dll";

// The message boxes a person sees when the suspension is unavailable, one per missing piece:
// "Can't Load Kernel32.dll", or "Can't Get Function <name> Address" for each missing function.
// Shows nothing in the other states.
void ShowRedirectionProblems(plat::Desktop& desktop, plat::WindowRef owner, const char* caption,
                             const RedirectionSuspension& suspension);

}  // namespace setup
