// The library-wide counters that decide whether the library may be unloaded.
#pragma once
#include <atomic>
#include <cstdint>

namespace plugin {

// One instance per loaded library (the exports keep it); tests make their own.
struct ModuleCounters {
    std::atomic<std::int32_t> locks{0};    // changed only by LockServer
    std::atomic<std::int32_t> objects{0};  // live plug-in objects

    bool CanUnload() const { return locks.load() == 0 && objects.load() == 0; }
};

}  // namespace plugin
