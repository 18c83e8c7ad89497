// PLACEHOLDER until the simulated registry is written.
#include "platform/sim/registry.h"
#include <cstdlib>
#include <cstdio>
namespace sim {
[[noreturn]] static void Missing(const char* f) { std::fprintf(stderr, "simulated %s is not built yet\n", f); std::abort(); }
SimRegistry::SimRegistry(const Machine& m, const ProcessContext& p) : machine_(m), process_(p) {}
std::int32_t SimRegistry::CreateKey(plat::RegRoot, const char*, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::OpenKey(plat::RegRoot, const char*, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::DeleteKey(plat::RegRoot, const char*, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::SetValue(plat::RegRoot, const char*, const char*, std::uint32_t, const std::vector<std::uint8_t>&, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::QueryValue(plat::RegRoot, const char*, const char*, std::uint32_t&, std::vector<std::uint8_t>&, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::DeleteValue(plat::RegRoot, const char*, const char*, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::EnumKeys(plat::RegRoot, const char*, std::vector<std::string>&, plat::RegView) { Missing(__func__); }
std::int32_t SimRegistry::EnumValues(plat::RegRoot, const char*, std::vector<std::string>&, plat::RegView) { Missing(__func__); }
}  // namespace sim
