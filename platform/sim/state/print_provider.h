// The simulated spooler's machine-wide state: printers in the registry, recorded jobs as files,
// and injected spooler faults. Shared by the spooler that programs call and by winsim.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// ---- Printers: keys under HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers ----

inline constexpr const char* kPrintersKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";

struct SimPrinter {
    std::string name;  // the key's name, as first spelt
    std::string port;  // its "Port" value, empty when it has none
};

// Adds a printer key with its "Name" and "Port" values. False with a message when a printer of
// that name (any letter case) exists or the registry cannot be written.
bool AddSimPrinter(const Machine& machine, const std::string& name, const std::string& port,
                   std::string& error);
// Every printer in the registry's enumeration order.
std::vector<SimPrinter> ListSimPrinters(const Machine& machine);
// The printer of that name, compared without letter case.
std::optional<SimPrinter> FindSimPrinter(const Machine& machine, const std::string& name);

// ---- Jobs: "spool/jobs/NNNN.job" (the bytes) and "NNNN.info" (what the job was) ----

struct SimJob {
    std::uint32_t id = 0;
    std::string printer;
    std::string document;  // UTF-8
    std::string dataType;  // UTF-8
    std::string port;
    std::uint32_t pages = 0;
    bool completed = false;  // EndDocPrinter was called
};

std::filesystem::path SpoolJobsDir(const Machine& machine);
// Allocates the next job id (1, 2, ...) and records the job with no data, not completed.
// 0 when the spool directory cannot be written.
std::uint32_t StartSimJob(const Machine& machine, SimJob job);
// Rewrites the job's .info file / appends bytes to its .job file. False when it cannot.
bool UpdateSimJob(const Machine& machine, const SimJob& job);
bool AppendSimJobData(const Machine& machine, std::uint32_t id, const void* data,
                      std::uint32_t size);
// Every recorded job by id.
std::vector<SimJob> ListSimJobs(const Machine& machine);
std::optional<SimJob> ReadSimJob(const Machine& machine, std::uint32_t id);
// The job's bytes; false when it has no data file.
bool ReadSimJobData(const Machine& machine, std::uint32_t id, std::vector<std::uint8_t>& out);

// ---- Faults on spooler calls ----

// A fault on one spooler call for every printer: the form callers that name only the call use.
struct SpoolerFault {
    std::string call;  // "OpenPrinterW", "StartDocPrinterW", ... as the Win32 API names it
    std::uint32_t error = 0;
    std::uint32_t times = 0;  // 0: every call
};
// Adds it to the machine's fault list (faults.h).
bool AddSpoolerFault(const Machine& machine, const SpoolerFault& fault, std::string& error);

// UTF-8 form of a UTF-16 text (a lone surrogate becomes U+FFFD).
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace sim
