// The stand-ins' calls that injected faults can fail, and the check each of them makes first.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/machine.h"

namespace sim {

struct FaultableCall {
    const char* name;     // the API's name, "RegSetValueExA"
    FaultTarget target;   // what the call acts on
};

// Every call whose stand-in asks the fault list, by family: files, registry, spooler.
const std::vector<FaultableCall>& FaultableCalls();
// The call of that name (letter case aside), or null.
const FaultableCall* FindFaultableCall(std::string_view name);
// The calls a fault's name covers: one call, or every call a "Prefix*" pattern starts.
std::vector<const FaultableCall*> CallsNamedBy(std::string_view nameOrPattern);

// The error an injected fault gives this call now, using it up when it is counted, or
// ERROR_SUCCESS. `target` is what the call acts on, in the form FaultTarget describes. A call
// missing from FaultableCalls() is a mistake in the simulator and ends the process loudly.
std::uint32_t InjectedFault(const Machine& machine, std::string_view call,
                            std::string_view target = {});

}  // namespace sim
