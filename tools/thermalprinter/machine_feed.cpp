#include "tools/thermalprinter/machine_feed.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/usb_printers.h"

namespace thermal {

namespace {

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The model a printer queue's driver names: "VTX-58R USB" is the VTX-58R on USB.
PrinterModel ModelOfQueue(const std::optional<sim::SimPrinter>& printer, const std::string& port) {
    std::string name = printer && !printer->driver.empty() ? printer->driver : "VTX-80R";
    constexpr std::string_view kUsbSuffix = " USB";
    if (name.size() > kUsbSuffix.size() && SameNoCase(std::string_view(name).substr(name.size() - kUsbSuffix.size()), kUsbSuffix))
        name.resize(name.size() - kUsbSuffix.size());
    PrinterModel model = ModelNamed(name);
    model.interface = InterfaceOfPort(port);
    return model;
}

std::string BytesOf(const sim::PrintProvider& provider, std::uint32_t id) {
    std::vector<std::uint8_t> data;
    provider.JobData(id, data);
    return std::string(data.begin(), data.end());
}

int InternalIdOnPort(const sim::Machine& machine, const std::string& port) {
    const int number = sim::UsbPortNumberOfName(port);
    if (number == 0) return -1;
    for (const sim::UsbPrinter& p : sim::ReadUsbPrinters(machine))
        if (sim::UsbPortNumberOf(p) == number) return p.internalId;
    return -1;
}

// The completed jobs on `port` before job `before` (every one when 0), in id order.
std::string EarlierJobs(const sim::PrintProvider& provider, const std::string& port, std::uint32_t before) {
    std::vector<sim::SimJob> jobs = provider.Jobs();
    std::sort(jobs.begin(), jobs.end(), [](const sim::SimJob& a, const sim::SimJob& b) { return a.id < b.id; });
    std::string bytes;
    for (const sim::SimJob& job : jobs)
        if ((before == 0 || job.id < before) && job.completed && SameNoCase(job.port, port)) bytes += BytesOf(provider, job.id);
    return bytes;
}

}  // namespace

std::optional<DeviceFeed> FeedForJob(const sim::Machine& machine, std::uint32_t jobId, std::string& error) {
    const sim::PrintProvider provider(machine);
    std::string problem;
    const auto job = provider.Job(jobId, &problem);
    if (!job) {
        error = problem.empty() ? "no job " + std::to_string(jobId) + " on the machine" : "damaged job record " + problem;
        return std::nullopt;
    }
    DeviceFeed feed;
    feed.port = job->port;
    feed.model = ModelOfQueue(provider.FindPrinter(job->printer), job->port);
    feed.earlier = EarlierJobs(provider, job->port, job->id);
    feed.bytes = BytesOf(provider, job->id);
    feed.internalId = InternalIdOnPort(machine, job->port);
    return feed;
}

std::optional<DeviceFeed> FeedForPrinter(const sim::Machine& machine, const std::string& printerName, std::string& error) {
    const sim::PrintProvider provider(machine);
    const auto printer = provider.FindPrinter(printerName);
    if (!printer) {
        error = "no printer named '" + printerName + "'";
        return std::nullopt;
    }
    DeviceFeed feed;
    feed.port = printer->port;
    feed.model = ModelOfQueue(printer, printer->port);
    feed.bytes = EarlierJobs(provider, printer->port, 0);
    feed.internalId = InternalIdOnPort(machine, printer->port);
    return feed;
}

}  // namespace thermal
