// The machine's registry file as a tree: loaded, changed and saved in one step under the machine lock.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/reg_tree.h"

namespace sim {

// Runs `change` on the registry under the machine lock: registry.reg is read into a tree that
// also has the keys every Windows machine has, and written back when `change` sets `changed`.
// Returns what `change` returns, or ERROR_CANTREAD / ERROR_CANTWRITE (with a message on stderr)
// when the file cannot be read or written.
std::int32_t UpdateRegistry(const Machine& machine,
                            const std::function<std::int32_t(reg::Tree& tree, bool& changed)>& change);

}  // namespace sim
