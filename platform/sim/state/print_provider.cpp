// The simulated machine's print provider: printers in the registry, raw jobs as files.
#include "platform/sim/state/print_provider.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/host_file.h"
#include "platform/sim/state/reg_tree.h"
#include "platform/sim/state/registry_store.h"
#include "platform/win_constants.h"

namespace sim {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> PrintersKey() {
    std::vector<std::string> key = {"HKEY_LOCAL_MACHINE"};
    reg::SplitKeyPath(print_keys::kPrinters, key);
    return key;
}

// A REG_SZ value's text up to its terminator; empty when the value is missing or of another type.
std::string StringValue(reg::Key& key, const char* name) {
    const reg::Value* value = key.FindValue(name);
    if (!value || value->type != REG_SZ) return {};
    std::string text(value->data.begin(), value->data.end());
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
        printer.SetValue("Name", REG_SZ, SzBytes(name));
        printer.SetValue("Port", REG_SZ, SzBytes(port));
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
                out.push_back({printer->name, StringValue(*printer, "Port")});
        return ERROR_SUCCESS;
    });
    return out;
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

std::vector<SimJob> PrintProvider::Jobs() const {
    std::vector<SimJob> jobs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(JobsDir(), ec)) {
        if (entry.path().extension() != ".info") continue;
        std::string text;
        if (!ReadWholeFile(entry.path(), text)) continue;
        if (auto job = ParseJobInfo(text)) jobs.push_back(*job);
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const SimJob& a, const SimJob& b) { return a.id < b.id; });
    return jobs;
}

std::optional<SimJob> PrintProvider::Job(std::uint32_t id) const {
    std::string text;
    if (!ReadWholeFile(JobsDir() / (JobBaseName(id) + ".info"), text)) return std::nullopt;
    return ParseJobInfo(text);
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
