// Services on the simulated machine: no call simulated yet.
#pragma once
#include "platform/services.h"

namespace sim {

// The Spooler service and its states become machine state when the service calls are simulated.
class SimServices : public plat::Services {};

}  // namespace sim
