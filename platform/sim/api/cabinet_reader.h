// A cabinet held in memory, read through libmspack: its header, its files in cabinet order,
// and each file's bytes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sim {

// One file of a cabinet as its header describes it.
struct CabinetEntry {
    std::string name;           // the name stored in the cabinet, "unidrv.dll"
    std::uint32_t size = 0;     // uncompressed length
    std::uint16_t dosDate = 0;  // MS-DOS date and time, as FDI reports them
    std::uint16_t dosTime = 0;
    std::uint16_t attributes = 0;  // the cabinet's attribute bits (_A_RDONLY, _A_ARCH, ...)
};

class CabinetReader {
public:
    // Reads the header and the file list of `bytes`; null when they are no cabinet or are
    // damaged. The reader keeps its own copy of the bytes.
    static std::unique_ptr<CabinetReader> Open(std::vector<std::uint8_t> bytes);
    ~CabinetReader();
    CabinetReader(const CabinetReader&) = delete;
    CabinetReader& operator=(const CabinetReader&) = delete;

    const std::vector<CabinetEntry>& entries() const { return entries_; }
    // The set the cabinet belongs to: its number in the set, the set's id, and the next
    // cabinet's file and disk names ("" for the last or only one).
    std::uint16_t cabinetNumber() const { return cabinetNumber_; }
    std::uint16_t setId() const { return setId_; }
    const std::string& nextCabinet() const { return nextCabinet_; }
    const std::string& nextDisk() const { return nextDisk_; }

    // Decompresses entry `index` into `out`. False when its data is damaged or lies in
    // another cabinet of the set.
    bool Extract(std::size_t index, std::vector<std::uint8_t>& out);

private:
    struct Impl;
    explicit CabinetReader(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
    std::vector<CabinetEntry> entries_;
    std::uint16_t cabinetNumber_ = 0;
    std::uint16_t setId_ = 0;
    std::string nextCabinet_;
    std::string nextDisk_;
};

}  // namespace sim
