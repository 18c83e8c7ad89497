// Fonts on the simulated machine: no call simulated yet.
#pragma once
#include "platform/fonts.h"

namespace sim {

// Installed fonts become machine state when the font calls are simulated.
class SimFonts : public plat::Fonts {};

}  // namespace sim
