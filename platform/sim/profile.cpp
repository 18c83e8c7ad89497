// PLACEHOLDER until the simulated profile functions are written.
#include "platform/sim/profile.h"
#include <cstdlib>
#include <cstdio>
namespace sim {
[[noreturn]] static void Missing(const char* f) { std::fprintf(stderr, "simulated %s is not built yet\n", f); std::abort(); }
SimProfile::SimProfile(plat::FileSystem& f, plat::LastError& e) : files_(f), error_(e) {}
std::uint32_t SimProfile::GetPrivateProfileStringA(const char*, const char*, const char*, char*, std::uint32_t, const char*) { Missing(__func__); }
std::uint32_t SimProfile::GetPrivateProfileIntA(const char*, const char*, int, const char*) { Missing(__func__); }
bool SimProfile::WritePrivateProfileStringA(const char*, const char*, const char*, const char*) { Missing(__func__); }
std::uint32_t SimProfile::GetPrivateProfileSectionNamesA(char*, std::uint32_t, const char*) { Missing(__func__); }
std::uint32_t SimProfile::GetProfileStringA(const char*, const char*, const char*, char*, std::uint32_t) { Missing(__func__); }
bool SimProfile::WriteProfileStringA(const char*, const char*, const char*) { Missing(__func__); }
}  // namespace sim
