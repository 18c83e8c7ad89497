// PLACEHOLDER until the simulated desktop is written.
#include "platform/sim/desktop.h"
#include <cstdlib>
#include <cstdio>
namespace sim {
[[noreturn]] static void Missing(const char* f) { std::fprintf(stderr, "simulated %s is not built yet\n", f); std::abort(); }
SimDesktop::SimDesktop(const Machine& m, const ProcessContext& p, plat::LastError& e) : machine_(m), process_(p), error_(e) {}
std::unique_ptr<plat::Handle> SimDesktop::CreateMutexA(bool, const char*) { Missing(__func__); }
plat::WindowRef SimDesktop::FindWindowA(const char*, const char*) { Missing(__func__); }
bool SimDesktop::SetForegroundWindow(plat::WindowRef) { Missing(__func__); }
bool SimDesktop::IsIconic(plat::WindowRef) { Missing(__func__); }
bool SimDesktop::OpenIcon(plat::WindowRef) { Missing(__func__); }
int SimDesktop::MessageBoxA(plat::WindowRef, const char*, const char*, std::uint32_t) { Missing(__func__); }
void SimDesktop::Transcript(const char*) { Missing(__func__); }
}  // namespace sim
