// The simulated spooler's machine-wide state: printers in the registry, recorded jobs as files,
// and injected spooler faults.
#include "platform/sim/state/print_provider.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/api/registry.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

// The registry as the spooler service sees it (HKLM\SYSTEM is the same in every view).
ProcessContext SpoolerProcess(const Machine& machine) {
    ProcessContext process;
    process.machineDir = machine.dir();
    process.modulePath = "C:\\Windows\\System32\\spoolsv.exe";
    process.currentDir = "C:\\Windows\\System32";
    process.bits = 64;
    return process;
}

std::string StringValue(SimRegistry& registry, const std::string& key, const char* name) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (registry.QueryValue(plat::RegRoot::LocalMachine, key.c_str(), name, type, data,
                            plat::RegView::Default) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    std::string text(data.begin(), data.end());
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::vector<std::uint8_t> SzBytes(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}


char Hex(unsigned v) { return "0123456789ABCDEF"[v & 15]; }

// Values of the .info file keep to one line: '\' and control characters are escaped.
std::string EscapeLine(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c < 0x20) out += std::string("\\x") + Hex(c >> 4) + Hex(c);
        else out += static_cast<char>(c);
    }
    return out;
}

std::string UnescapeLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string JobBaseName(std::uint32_t id) {
    char name[16];
    std::snprintf(name, sizeof name, "%04u", static_cast<unsigned>(id));
    return name;
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

std::optional<SimJob> ParseJobInfo(const std::string& text) {
    SimJob job;
    std::istringstream in(text);
    std::string line;
    bool haveId = false;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = UnescapeLine(line.substr(eq + 1));
        if (key == "id") {
            job.id = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
            haveId = true;
        } else if (key == "printer") job.printer = value;
        else if (key == "document") job.document = value;
        else if (key == "datatype") job.dataType = value;
        else if (key == "port") job.port = value;
        else if (key == "pages") job.pages = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (key == "completed") job.completed = value == "yes";
    }
    if (!haveId) return std::nullopt;
    return job;
}

}  // namespace

// ---- Printers ----

bool AddSimPrinter(const Machine& machine, const std::string& name, const std::string& port,
                   std::string& error) {
    if (name.empty() || name.find('\\') != std::string::npos) {
        error = "a printer name is not empty and holds no backslash";
        return false;
    }
    MachineLock lock(machine.dir());
    if (FindSimPrinter(machine, name)) {
        error = "a printer named '" + name + "' exists";
        return false;
    }
    SimRegistry registry(machine, SpoolerProcess(machine));
    const std::string key = std::string(kPrintersKey) + "\\" + name;
    if (registry.CreateKey(plat::RegRoot::LocalMachine, key.c_str(), plat::RegView::Default) !=
            ERROR_SUCCESS ||
        registry.SetValue(plat::RegRoot::LocalMachine, key.c_str(), "Name", REG_SZ, SzBytes(name),
                          plat::RegView::Default) != ERROR_SUCCESS ||
        registry.SetValue(plat::RegRoot::LocalMachine, key.c_str(), "Port", REG_SZ, SzBytes(port),
                          plat::RegView::Default) != ERROR_SUCCESS) {
        error = "cannot write the printer's registry key";
        return false;
    }
    return true;
}

std::vector<SimPrinter> ListSimPrinters(const Machine& machine) {
    SimRegistry registry(machine, SpoolerProcess(machine));
    std::vector<std::string> names;
    std::vector<SimPrinter> printers;
    if (registry.EnumKeys(plat::RegRoot::LocalMachine, kPrintersKey, names,
                          plat::RegView::Default) != ERROR_SUCCESS)
        return printers;
    for (const std::string& name : names)
        printers.push_back(
            {name, StringValue(registry, std::string(kPrintersKey) + "\\" + name, "Port")});
    return printers;
}

std::optional<SimPrinter> FindSimPrinter(const Machine& machine, const std::string& name) {
    for (SimPrinter& printer : ListSimPrinters(machine))
        if (reg::Fold(printer.name) == reg::Fold(name)) return printer;
    return std::nullopt;
}

// ---- Jobs ----

fs::path SpoolJobsDir(const Machine& machine) { return machine.dir() / "spool" / "jobs"; }

std::uint32_t StartSimJob(const Machine& machine, SimJob job) {
    MachineLock lock(machine.dir());
    const fs::path dir = SpoolJobsDir(machine);
    std::string text;
    std::uint32_t last = 0;
    if (ReadWholeFile(dir / "last-id", text))
        last = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    job.id = last + 1;
    if (!ReplaceWholeFile(dir / "last-id", std::to_string(job.id) + "\n")) return 0;
    {
        std::ofstream data(dir / (JobBaseName(job.id) + ".job"), std::ios::binary | std::ios::trunc);
        if (!data) return 0;
    }
    if (!UpdateSimJob(machine, job)) return 0;
    return job.id;
}

bool UpdateSimJob(const Machine& machine, const SimJob& job) {
    MachineLock lock(machine.dir());
    return ReplaceWholeFile(SpoolJobsDir(machine) / (JobBaseName(job.id) + ".info"),
                           FormatJobInfo(job));
}

bool AppendSimJobData(const Machine& machine, std::uint32_t id, const void* data,
                      std::uint32_t size) {
    MachineLock lock(machine.dir());
    std::ofstream out(SpoolJobsDir(machine) / (JobBaseName(id) + ".job"),
                      std::ios::binary | std::ios::app);
    if (!out) return false;
    out.write(static_cast<const char*>(data), size);
    return static_cast<bool>(out);
}

std::vector<SimJob> ListSimJobs(const Machine& machine) {
    std::vector<SimJob> jobs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SpoolJobsDir(machine), ec)) {
        if (entry.path().extension() != ".info") continue;
        std::string text;
        if (!ReadWholeFile(entry.path(), text)) continue;
        if (auto job = ParseJobInfo(text)) jobs.push_back(*job);
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const SimJob& a, const SimJob& b) { return a.id < b.id; });
    return jobs;
}

std::optional<SimJob> ReadSimJob(const Machine& machine, std::uint32_t id) {
    std::string text;
    if (!ReadWholeFile(SpoolJobsDir(machine) / (JobBaseName(id) + ".info"), text)) return std::nullopt;
    return ParseJobInfo(text);
}

bool ReadSimJobData(const Machine& machine, std::uint32_t id, std::vector<std::uint8_t>& out) {
    std::string text;
    if (!ReadWholeFile(SpoolJobsDir(machine) / (JobBaseName(id) + ".job"), text)) return false;
    out.assign(text.begin(), text.end());
    return true;
}

// ---- Faults ----

bool AddSpoolerFault(const Machine& machine, const SpoolerFault& fault, std::string& error) {
    return AddFault(machine, {fault.call, fault.error, fault.times, {}}, error);
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace sim
