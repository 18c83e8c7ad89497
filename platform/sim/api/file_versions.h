// File version resources on the simulated machine: read from the files' own bytes.
#pragma once
#include "platform/file_versions.h"
#include "platform/last_error.h"
#include "platform/sim/api/files.h"
#include "platform/sim/state/machine.h"

namespace sim {

// Files are read through the process's file system, so its paths, redirection, holds and
// faults apply. The block is laid out as version.dll lays it out for an ANSI caller: the
// resource's bytes, the four bytes "FE2X", and a spare half of the resource's size in which
// VerQueryValueA writes a string's ANSI form at the string's own offset. Characters outside
// ASCII and Latin-1 become '?' there.
class SimFileVersions : public plat::FileVersions {
public:
    SimFileVersions(const Machine& machine, SimFileSystem& files, plat::LastError& error)
        : machine_(machine), files_(files), error_(error) {}

    std::uint32_t GetFileVersionInfoSizeA(const char* path, std::uint32_t& handle) override;
    bool GetFileVersionInfoA(const char* path, std::uint32_t handle, std::uint32_t size,
                             void* data) override;
    bool VerQueryValueA(void* block, const char* subBlock, void*& value,
                        std::uint32_t& length) override;

private:
    // The file's version resource, or false with the last error set.
    bool ReadResource(const char* path, const char* call, std::vector<std::uint8_t>& resource);
    bool Fail(std::uint32_t code);

    const Machine& machine_;
    SimFileSystem& files_;
    plat::LastError& error_;
};

}  // namespace sim
