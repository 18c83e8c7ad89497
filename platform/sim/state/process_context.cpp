// The simulated process's identity.
#include "platform/sim/state/process_context.h"

#include "platform/sim/state/win_path.h"

namespace sim {

std::string ProcessContext::programName() const {
    std::string name = FileNameOf(modulePath);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace sim
