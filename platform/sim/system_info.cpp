// PLACEHOLDER until the simulated system information is written.
#include "platform/sim/system_info.h"
#include <cstdlib>
#include <cstdio>
namespace sim {
[[noreturn]] static void Missing(const char* f) { std::fprintf(stderr, "simulated %s is not built yet\n", f); std::abort(); }
SimSystemInfo::SimSystemInfo(const Machine& m, const ProcessContext& p, plat::LastError& e) : machine_(m), process_(p), error_(e) {}
bool SimSystemInfo::GetVersionExA(plat::OsVersion&) { Missing(__func__); }
bool SimSystemInfo::GetNativeProcessorArchitecture(std::uint16_t&) { Missing(__func__); }
std::uint16_t SimSystemInfo::GetProcessorArchitecture() { Missing(__func__); }
bool SimSystemInfo::IsWow64Process(bool&) { Missing(__func__); }
bool SimSystemInfo::IsUserAdministrator() { Missing(__func__); }
std::uint32_t SimSystemInfo::FormatMessageA(std::uint32_t, char*, std::uint32_t) { Missing(__func__); }
std::uint32_t SimSystemInfo::GetACP() { Missing(__func__); }
void SimSystemInfo::Sleep(std::uint32_t) { Missing(__func__); }
std::uint32_t SimSystemInfo::GetTickCount() { Missing(__func__); }
}  // namespace sim
