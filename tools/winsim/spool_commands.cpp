// winsim printer, jobs and job: the simulated spooler's printers, the raw jobs programs
// printed, and jobs queued by hand.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/host_file.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/usb_printers.h"
#include "tools/thermalprinter/machine_feed.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

// Hex bytes as a person types them: pairs of digits, spaces between bytes allowed.
bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& out) {
    std::string digits;
    for (char c : text) {
        if (c == ' ') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        digits += c;
    }
    if (digits.size() % 2) return false;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return true;
}

std::string JobLine(const sim::SimJob& job, std::size_t bytes) {
    return std::to_string(job.id) + "  " + OnOneLine(job.printer) + "  port " +
           (job.port.empty() ? "(none)" : OnOneLine(job.port)) + "  \"" +
           OnOneLine(job.document) + "\"  " + OnOneLine(job.dataType) + "  " +
           std::to_string(job.pages) + " page(s)  " + std::to_string(bytes) + " byte(s)  " +
           (job.completed ? "completed" : "not completed");
}

}  // namespace

int RunPrinter(const Args& args) {
    if (args.size() < 2) return UsageError("printer", "needs the machine directory and an action");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const std::string& action = args[1];
    if (action == "list") {
        if (args.size() != 2) return UsageError("printer", "list takes no arguments");
        auto printers = sim::PrintProvider(*machine).Printers();
        if (printers.empty()) std::printf("no printers\n");
        for (const sim::SimPrinter& p : printers)
            std::printf("%s  port %s\n", OnOneLine(p.name).c_str(),
                        p.port.empty() ? "(none)" : OnOneLine(p.port).c_str());
        return kExitOk;
    }
    if (action == "add") {
        std::string name, port;
        for (std::size_t i = 2; i < args.size(); ++i) {
            if (args[i] == "--port" && i + 1 < args.size())
                port = args[++i];
            else if (name.empty() && args[i].rfind("--", 0) != 0)
                name = args[i];
            else
                return UsageError("printer", "add: unexpected '" + args[i] + "'");
        }
        if (name.empty()) return UsageError("printer", "add needs a printer name");
        std::string error;
        if (!sim::PrintProvider(*machine).AddPrinter(name, port, error)) return Failure(error);
        return kExitOk;
    }
    if (action == "paper") {
        if (args.size() != 3 && !(args.size() == 5 && args[3] == "--render"))
            return UsageError("printer", "paper takes a printer name and --render FILE");
        std::string error;
        const auto feed = thermal::FeedForPrinter(*machine, args[2], error);
        if (!feed) return Failure(error);
        if (args.size() == 5) return RenderFeedToPng(*feed, args[4]);
        std::printf("%s on %s: %zu bytes received\n", feed->model.name.c_str(), OnOneLine(feed->port).c_str(),
                    feed->bytes.size());
        return kExitOk;
    }
    return UsageError("printer", "unknown action '" + action + "'");
}

int RunJobs(const Args& args) {
    if (args.size() != 1) return UsageError("jobs", "takes the machine directory only");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    const sim::PrintProvider provider(*machine);
    std::vector<std::string> problems;
    auto jobs = provider.Jobs(&problems);
    if (jobs.empty() && problems.empty()) std::printf("no jobs\n");
    for (const sim::SimJob& job : jobs) {
        std::vector<std::uint8_t> data;
        provider.JobData(job.id, data);
        std::printf("%s\n", JobLine(job, data.size()).c_str());
    }
    // The readable jobs are listed all the same; a damaged record fails the command.
    for (const std::string& problem : problems) Failure("damaged job record " + problem);
    return problems.empty() ? kExitOk : kExitFailed;
}

namespace {

// job DIR add PRINTER [--document NAME]: a job a program started and has not ended, so the
// printer has documents waiting (cJobs) as it would while printing.
int AddQueuedJob(const sim::Machine& machine, const Args& args) {
    std::string printerName, document = "Document";
    std::optional<std::vector<std::uint8_t>> bytes;
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--document" && i + 1 < args.size()) {
            document = args[++i];
        } else if (args[i] == "--data" && i + 1 < args.size() && !bytes) {
            bytes.emplace();
            if (!ParseHexBytes(args[++i], *bytes)) return UsageError("job", "add: --data takes hex bytes, as \"1B 40 0A\"");
        } else if (args[i] == "--file" && i + 1 < args.size() && !bytes) {
            bytes.emplace();
            std::string text;
            if (!sim::ReadWholeFile(args[i + 1], text)) return Failure("cannot read '" + args[i + 1] + "'");
            bytes->assign(text.begin(), text.end());
            ++i;
        } else if (printerName.empty() && args[i].rfind("--", 0) != 0) {
            printerName = args[i];
        } else {
            return UsageError("job", "add: unexpected '" + args[i] + "'");
        }
    }
    if (printerName.empty()) return UsageError("job", "add needs a printer name");
    const sim::PrintProvider provider(machine);
    const auto printer = provider.FindPrinter(printerName);
    if (!printer) return Failure("no printer named '" + printerName + "'");
    sim::SimJob job;
    job.printer = printer->name;
    job.document = document;
    job.dataType = "RAW";
    job.port = printer->port;
    job.id = provider.StartJob(job);
    if (job.id == 0) return Failure("cannot write the job's record in the spool directory");
    if (bytes) {
        // A whole job, ended as a program ends it; it goes on to the printer on its port.
        job.pages = 1;
        job.completed = true;
        if ((!bytes->empty() && !provider.AppendJobData(job.id, bytes->data(), static_cast<std::uint32_t>(bytes->size()))) ||
            !provider.UpdateJob(job))
            return Failure("cannot write the job's bytes in the spool directory");
        if (sim::UsbPortNumberOfName(job.port) != 0)
            sim::DeliverJobToUsbPrinter(machine, job.port, bytes->data(), static_cast<std::uint32_t>(bytes->size()));
    }
    std::printf("%s\n", JobLine(job, bytes ? bytes->size() : 0).c_str());
    return kExitOk;
}

}  // namespace

int RunJob(const Args& args) {
    if (args.size() >= 2 && args[1] == "add") {
        auto machine = OpenMachine(args[0]);
        if (!machine) return kExitFailed;
        return AddQueuedJob(*machine, args);
    }
    const bool render = args.size() == 4 && args[2] == "--render";
    if (args.size() < 2 || (args.size() > 3 && !render) || (args.size() == 3 && args[2] != "--hex"))
        return UsageError("job", "needs the machine directory and a job number");
    auto machine = OpenMachine(args[0]);
    if (!machine) return kExitFailed;
    unsigned long long id = 0;
    if (!ParseNumberArgument(args[1], 1, 0xFFFFFFFFull, id))
        return UsageError("job", "'" + args[1] + "' is not a job number");
    if (render) {
        std::string error;
        const auto feed = thermal::FeedForJob(*machine, static_cast<std::uint32_t>(id), error);
        if (!feed) return Failure(error);
        return RenderFeedToPng(*feed, args[3]);
    }
    const sim::PrintProvider provider(*machine);
    std::string problem;
    auto job = provider.Job(static_cast<std::uint32_t>(id), &problem);
    if (!problem.empty()) return Failure("damaged job record " + problem);
    std::vector<std::uint8_t> data;
    if (!job || !provider.JobData(job->id, data))
        return Failure("no job " + args[1] + " on the machine");
    if (args.size() == 3) {
        std::printf("%s\n", JobLine(*job, data.size()).c_str());
        DumpHex(data);
    } else {
        std::fwrite(data.data(), 1, data.size(), stdout);
    }
    return kExitOk;
}

}  // namespace winsim
