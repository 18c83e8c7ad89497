// PLACEHOLDER until the simulated file system is written.
#include "platform/sim/files.h"
#include <cstdlib>
#include <cstdio>
#include "platform/win_constants.h"
namespace sim {
[[noreturn]] static void Missing(const char* f) { std::fprintf(stderr, "simulated %s is not built yet\n", f); std::abort(); }
SimFileSystem::SimFileSystem(const Machine& m, const ProcessContext& p, plat::LastError& e) : machine_(m), process_(p), error_(e) {}
std::uint32_t SimFileSystem::GetModuleFileNameA(char*, std::uint32_t) { Missing(__func__); }
std::uint32_t SimFileSystem::GetCurrentDirectoryA(std::uint32_t, char*) { Missing(__func__); }
bool SimFileSystem::SetCurrentDirectoryA(const char*) { Missing(__func__); }
std::uint32_t SimFileSystem::GetWindowsDirectoryA(char*, std::uint32_t) { Missing(__func__); }
std::uint32_t SimFileSystem::GetSystemDirectoryA(char*, std::uint32_t) { Missing(__func__); }
std::uint32_t SimFileSystem::GetTempPathA(std::uint32_t, char*) { Missing(__func__); }
std::uint32_t SimFileSystem::GetFileAttributesA(const char*) { Missing(__func__); }
bool SimFileSystem::SetFileAttributesA(const char*, std::uint32_t) { Missing(__func__); }
bool SimFileSystem::ReadWholeFile(const char*, std::vector<std::uint8_t>&) { Missing(__func__); }
bool SimFileSystem::WriteWholeFile(const char*, const std::vector<std::uint8_t>&) { Missing(__func__); }
bool SimFileSystem::DeleteFileA(const char*) { Missing(__func__); }
bool SimFileSystem::CreateDirectoryA(const char*) { Missing(__func__); }
bool SimFileSystem::RemoveDirectoryA(const char*) { Missing(__func__); }
bool SimFileSystem::CopyFileA(const char*, const char*, bool) { Missing(__func__); }
std::unique_ptr<plat::OpenFile> SimFileSystem::OpenExisting(const char*, std::uint32_t, std::uint32_t) { Missing(__func__); }
bool SimFileSystem::FindFiles(const char*, std::vector<plat::FindData>&) { Missing(__func__); }
std::string SimFileSystem::Absolute(const char*) const { Missing(__func__); }
}  // namespace sim
