// The simulated machine's print provider: what the spooler keeps machine-wide, for every program.
//
// On Windows the spooler is split in two: the client side in each program (winspool, which
// hands out printer handles) and the print provider behind the spooler service, which owns the
// environments, drivers, print processors, monitors, ports, forms and printers and keeps them
// in the registry under HKLM\SYSTEM\CurrentControlSet\Control\Print. This is the provider; the
// client is sim::SimSpooler. Printers and raw jobs are simulated so far; the other records
// join this class, at the registry keys below, as the installation engine needs them.
#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

// The provider's registry layout below HKEY_LOCAL_MACHINE, as Windows keeps it.
namespace print_keys {
inline constexpr const char* kPrint = "SYSTEM\\CurrentControlSet\\Control\\Print";
// Environments\<environment>\Drivers\Version-<n>\<driver> and
// Environments\<environment>\Print Processors\<processor>; "Windows NT x86", "Windows x64",
// "Windows 4.0".
inline constexpr const char* kEnvironments = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments";
// Monitors\<monitor>, each with its "Driver" value; a monitor keeps its own ports.
inline constexpr const char* kMonitors = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
inline constexpr const char* kForms = "SYSTEM\\CurrentControlSet\\Control\\Print\\Forms";
// Printers\<printer> with the values "Name" and "Port".
inline constexpr const char* kPrinters = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
}  // namespace print_keys

struct SimPrinter {
    std::string name;  // the key's name, as first spelt
    std::string port;  // its "Port" value, empty when it has none
};

// A raw job: "spool/jobs/NNNN.job" holds the bytes as the program wrote them, "NNNN.info" the rest.
struct SimJob {
    std::uint32_t id = 0;
    std::string printer;
    std::string document;  // UTF-8
    std::string dataType;  // UTF-8
    std::string port;
    std::uint32_t pages = 0;
    bool completed = false;  // EndDocPrinter was called
};

// Every operation is one step under the machine lock, so processes sharing the machine see
// each other's printers and jobs at once.
class PrintProvider {
public:
    explicit PrintProvider(const Machine& machine) : machine_(machine) {}

    // ---- Printers ----

    // Adds a printer key with its "Name" and "Port" values. False with a message when the
    // name is empty or holds a backslash, a printer of that name (any letter case) exists, or
    // the registry cannot be written.
    bool AddPrinter(const std::string& name, const std::string& port, std::string& error) const;
    // Every printer in the registry's enumeration order.
    std::vector<SimPrinter> Printers() const;
    // The printer of that name, compared without letter case.
    std::optional<SimPrinter> FindPrinter(const std::string& name) const;

    // ---- Jobs ----

    std::filesystem::path JobsDir() const;
    // Allocates the next job id (1, 2, ... across the machine) and records the job with no
    // data, not completed. 0 when the spool directory cannot be written.
    std::uint32_t StartJob(SimJob job) const;
    // Rewrites the job's record / appends bytes to its data. False when that cannot be done.
    bool UpdateJob(const SimJob& job) const;
    bool AppendJobData(std::uint32_t id, const void* data, std::uint32_t size) const;
    // Every recorded job by id. A record that cannot be read or is damaged is left out and,
    // when `problems` is given, named there: "FILE line N: what is wrong".
    std::vector<SimJob> Jobs(std::vector<std::string>* problems = nullptr) const;
    // The job of that number; nothing when it has no record or, with `problem` set as above,
    // when its record is damaged.
    std::optional<SimJob> Job(std::uint32_t id, std::string* problem = nullptr) const;
    // The job's bytes; false when it has no data file.
    bool JobData(std::uint32_t id, std::vector<std::uint8_t>& out) const;

private:
    const Machine& machine_;
};

// Shorthands for tests and tools that touch one thing.
bool AddSimPrinter(const Machine& machine, const std::string& name, const std::string& port,
                   std::string& error);
std::vector<SimJob> ListSimJobs(const Machine& machine);
bool ReadSimJobData(const Machine& machine, std::uint32_t id, std::vector<std::uint8_t>& out);

// A fault on one spooler call for every printer: the form callers that name only the call use.
struct SpoolerFault {
    std::string call;  // "OpenPrinterW", "StartDocPrinterW", ... as the Win32 API names it
    std::uint32_t error = 0;
    std::uint32_t times = 0;  // 0: every call
};
// Adds it to the machine's fault list (faults.h).
bool AddSpoolerFault(const Machine& machine, const SpoolerFault& fault, std::string& error);

}  // namespace sim
