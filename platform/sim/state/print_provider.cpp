// The simulated machine's print provider: printers in the registry, raw jobs as files.
#include "platform/sim/state/print_provider.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/text.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/print_environments.h"
#include "platform/sim/state/print_values.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;
using namespace print_values;

namespace {

std::vector<std::string> PrintersKey() { return print_values::HklmKey(print_keys::kPrinters); }

char Hex(unsigned v) { return "0123456789ABCDEF"[v & 15]; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Values of the .info file keep to one line: '\' and control characters are escaped.
std::string EscapeLine(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c < 0x20 || c == 0x7F) out += std::string("\\x") + Hex(c >> 4) + Hex(c);
        else out += static_cast<char>(c);
    }
    return out;
}

// The text back; false for an escape EscapeLine does not write.
bool UnescapeLine(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (i + 3 < text.size() && text[i + 1] == 'x' && HexValue(text[i + 2]) >= 0 &&
                   HexValue(text[i + 3]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

std::string JobBaseName(std::uint32_t id) {
    char name[16];
    std::snprintf(name, sizeof name, "%04u", static_cast<unsigned>(id));
    return name;
}

// The job number a spool file is named after ("0012.info", "0012.job"); 0 for another name.
std::uint32_t JobNumberOf(const fs::path& file) {
    std::uint64_t id = 0;
    if (!common::ParseDecimal(file.stem().string(), 0xFFFFFFFFull, id)) return 0;
    return static_cast<std::uint32_t>(id);
}

std::string FormatJobInfo(const SimJob& job) {
    std::ostringstream out;
    out << "id=" << job.id << "\n"
        << "printer=" << EscapeLine(job.printer) << "\n"
        << "document=" << EscapeLine(job.document) << "\n"
        << "datatype=" << EscapeLine(job.dataType) << "\n"
        << "port=" << EscapeLine(job.port) << "\n"
        << "pages=" << job.pages << "\n"
        << "completed=" << (job.completed ? "yes" : "no") << "\n";
    return out.str();
}

// A job's record from its .info text; false with the line and what is wrong with it.
bool ParseJobInfo(const std::string& text, SimJob& job, std::string& error) {
    std::istringstream in(text);
    std::string line;
    bool haveId = false;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        auto fail = [&](const std::string& what) {
            error = "line " + std::to_string(lineNo) + ": " + what;
            return false;
        };
        if (line.empty()) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) return fail("no '='");
        const std::string key = line.substr(0, eq);
        std::string value;
        if (!UnescapeLine(std::string_view(line).substr(eq + 1), value))
            return fail("a backslash that starts no escape (\\\\ or \\xHH)");
        auto number = [&](std::uint32_t& field) {
            std::uint64_t n = 0;
            if (!common::ParseDecimal(value, 0xFFFFFFFFull, n))
                return fail(key + " is not a number from 0 to 4294967295");
            field = static_cast<std::uint32_t>(n);
            return true;
        };
        if (key == "id") {
            if (!number(job.id)) return false;
            haveId = true;
        } else if (key == "printer") job.printer = value;
        else if (key == "document") job.document = value;
        else if (key == "datatype") job.dataType = value;
        else if (key == "port") job.port = value;
        else if (key == "pages") {
            if (!number(job.pages)) return false;
        } else if (key == "completed") {
            if (value != "yes" && value != "no") return fail("completed is neither yes nor no");
            job.completed = value == "yes";
        }
    }
    if (!haveId) {
        error = "no id";
        return false;
    }
    return true;
}

// Reads one .info file; false with "FILE line N: ..." when it cannot be read or is damaged.
bool ReadJobInfo(const fs::path& file, SimJob& job, std::string& problem) {
    std::string text, error;
    if (!ReadWholeFile(file, text)) {
        problem = "cannot read " + file.string();
        return false;
    }
    if (!ParseJobInfo(text, job, error)) {
        problem = file.string() + " " + error;
        return false;
    }
    return true;
}

}  // namespace

// ---- Printers ----

bool PrintProvider::AddPrinter(const std::string& name, const std::string& port,
                               std::string& error) const {
    if (name.empty() || name.find('\\') != std::string::npos) {
        error = "a printer name is not empty and holds no backslash";
        return false;
    }
    std::vector<std::string> key = PrintersKey();
    std::int32_t result = UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        reg::Key& printers = tree.Create(key, created);
        if (printers.Child(name)) return ERROR_PRINTER_ALREADY_EXISTS;
        reg::Key& printer = printers.ChildOrNew(name, created);
        printer.SetValue("Name", REG_SZ, TextBytes(name));
        printer.SetValue("Port", REG_SZ, TextBytes(port));
        changed = true;
        return ERROR_SUCCESS;
    });
    if (result == ERROR_PRINTER_ALREADY_EXISTS) {
        error = "a printer named '" + name + "' exists";
        return false;
    }
    if (result != ERROR_SUCCESS) {
        error = "cannot write the printer's registry key";
        return false;
    }
    return true;
}

std::vector<SimPrinter> PrintProvider::Printers() const {
    std::vector<SimPrinter> out;
    std::vector<std::string> key = PrintersKey();
    UpdateRegistry(machine_, [&](reg::Tree& tree, bool&) {
        if (reg::Key* printers = tree.Find(key))
            for (const auto& [folded, printer] : printers->subkeys)
                out.push_back({printer->name, Text(*printer, "Port"),
                               Text(*printer, "Printer Driver"), Text(*printer, "Print Processor"),
                               Text(*printer, "Datatype"),
                               Number(*printer, "Attributes").value_or(0)});
        return ERROR_SUCCESS;
    });
    return out;
}

std::uint32_t PrintProvider::AddPrinter(const SimPrinter& p) const {
    if (p.name.empty() || p.name.find_first_of("\\,") != std::string::npos)
        return ERROR_INVALID_PRINTER_NAME;
    MachineLock lock(machine_.dir());
    if (FindPrinter(p.name)) return ERROR_PRINTER_ALREADY_EXISTS;
    const std::string native = NativeEnvironment(machine_.settings());
    if (!HasDriver(native, p.driver)) return ERROR_UNKNOWN_PRINTER_DRIVER;
    const std::vector<SimPort> ports = Ports();
    if (std::none_of(ports.begin(), ports.end(),
                     [&](const SimPort& port) { return reg::Fold(port.name) == reg::Fold(p.port); }))
        return ERROR_UNKNOWN_PORT;
    if (!HasProcessor(native, p.processor)) return ERROR_UNKNOWN_PRINTPROCESSOR;
    const std::vector<std::string> key = PrintersKey();
    return static_cast<std::uint32_t>(UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        bool created = false;
        reg::Key& printer = tree.Create(key, created).ChildOrNew(p.name, created);
        printer.SetValue("Name", REG_SZ, TextBytes(p.name));
        printer.SetValue("Port", REG_SZ, TextBytes(p.port));
        printer.SetValue("Printer Driver", REG_SZ, TextBytes(p.driver));
        printer.SetValue("Print Processor", REG_SZ, TextBytes(p.processor));
        printer.SetValue("Datatype", REG_SZ, TextBytes(p.dataType.empty() ? "RAW" : p.dataType));
        printer.SetValue("Attributes", REG_DWORD, NumberBytes(p.attributes));
        changed = true;
        return ERROR_SUCCESS;
    }));
}

bool PrintProvider::SetPrinterAttributes(const std::string& name, std::uint32_t attributes) const {
    const std::vector<std::string> key = PrintersKey();
    return UpdateRegistry(machine_, [&](reg::Tree& tree, bool& changed) {
        reg::Key* printers = tree.Find(key);
        reg::Key* printer = printers ? printers->Child(name) : nullptr;
        if (!printer) return ERROR_INVALID_PRINTER_NAME;
        printer->SetValue("Attributes", REG_DWORD, NumberBytes(attributes));
        changed = true;
        return ERROR_SUCCESS;
    }) == ERROR_SUCCESS;
}

std::optional<SimPrinter> PrintProvider::FindPrinter(const std::string& name) const {
    for (SimPrinter& printer : Printers())
        if (reg::Fold(printer.name) == reg::Fold(name)) return printer;
    return std::nullopt;
}

// ---- Jobs ----

fs::path PrintProvider::JobsDir() const { return machine_.dir() / "spool" / "jobs"; }

std::uint32_t PrintProvider::StartJob(SimJob job) const {
    MachineLock lock(machine_.dir());
    const fs::path dir = JobsDir();
    // The next number follows the last one given out and every job on file, so a damaged or
    // missing "last-id" never hands out a number twice.
    std::string text;
    std::uint64_t last = 0;
    if (ReadWholeFile(dir / "last-id", text) &&
        !common::ParseDecimal(common::Trim(text), 0xFFFFFFFFull, last))
        last = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        last = std::max<std::uint64_t>(last, JobNumberOf(it->path()));
    if (last >= 0xFFFFFFFFull) return 0;
    job.id = static_cast<std::uint32_t>(last + 1);
    if (!ReplaceWholeFile(dir / "last-id", std::to_string(job.id) + "\n")) return 0;
    {
        std::ofstream data(dir / (JobBaseName(job.id) + ".job"), std::ios::binary | std::ios::trunc);
        if (!data) return 0;
    }
    if (!UpdateJob(job)) return 0;
    return job.id;
}

bool PrintProvider::UpdateJob(const SimJob& job) const {
    MachineLock lock(machine_.dir());
    return ReplaceWholeFile(JobsDir() / (JobBaseName(job.id) + ".info"),
                           FormatJobInfo(job));
}

bool PrintProvider::AppendJobData(std::uint32_t id, const void* data, std::uint32_t size) const {
    MachineLock lock(machine_.dir());
    std::ofstream out(JobsDir() / (JobBaseName(id) + ".job"),
                      std::ios::binary | std::ios::app);
    if (!out) return false;
    out.write(static_cast<const char*>(data), size);
    return static_cast<bool>(out);
}

std::vector<SimJob> PrintProvider::Jobs(std::vector<std::string>* problems) const {
    std::vector<SimJob> jobs;
    std::error_code ec;
    // Stepped with an error code: a directory that changes or fails mid-way ends the list
    // instead of throwing.
    for (fs::directory_iterator it(JobsDir(), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() != ".info") continue;
        SimJob job;
        std::string problem;
        if (ReadJobInfo(it->path(), job, problem))
            jobs.push_back(job);
        else if (problems)
            problems->push_back(problem);
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const SimJob& a, const SimJob& b) { return a.id < b.id; });
    return jobs;
}

std::optional<SimJob> PrintProvider::Job(std::uint32_t id, std::string* problem) const {
    const fs::path file = JobsDir() / (JobBaseName(id) + ".info");
    std::error_code ec;
    if (!fs::exists(file, ec)) return std::nullopt;
    SimJob job;
    std::string why;
    if (ReadJobInfo(file, job, why)) return job;
    if (problem) *problem = why;
    return std::nullopt;
}

std::uint32_t PrintProvider::QueuedJobs(const std::string& printer) const {
    std::uint32_t count = 0;
    for (const SimJob& job : Jobs())
        if (!job.completed && reg::Fold(job.printer) == reg::Fold(printer)) ++count;
    return count;
}

bool PrintProvider::JobData(std::uint32_t id, std::vector<std::uint8_t>& out) const {
    std::string text;
    if (!ReadWholeFile(JobsDir() / (JobBaseName(id) + ".job"), text)) return false;
    out.assign(text.begin(), text.end());
    return true;
}

// ---- Shorthands ----

bool AddSimPrinter(const Machine& machine, const std::string& name, const std::string& port,
                   std::string& error) {
    return PrintProvider(machine).AddPrinter(name, port, error);
}

std::vector<SimJob> ListSimJobs(const Machine& machine) { return PrintProvider(machine).Jobs(); }

bool ReadSimJobData(const Machine& machine, std::uint32_t id, std::vector<std::uint8_t>& out) {
    return PrintProvider(machine).JobData(id, out);
}

bool AddSpoolerFault(const Machine& machine, const SpoolerFault& fault, std::string& error) {
    return AddFault(machine, {fault.call, fault.error, fault.times, {}}, error);
}

}  // namespace sim
