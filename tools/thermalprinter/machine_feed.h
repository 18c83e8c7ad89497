// What a simulated machine's printers received: the bytes a job brought to the printer on its
// port, what the same printer received before it (its stored logos and settings follow from
// those), and the paper a printer queue's device has printed so far.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/sim/state/machine.h"
#include "tools/thermalprinter/printer_model.h"

namespace thermal {

struct DeviceFeed {
    PrinterModel model;     // from the printer queue's driver and port
    std::string port;       // the port the device is attached to
    std::string earlier;    // bytes the device received before, replayed for its state only
    std::string bytes;      // the bytes to draw
    int internalId = -1;    // the attached USB printer's internal ID, -1 when not USB or none
};

// The device of job `jobId` (the printer on the job's port) with every completed job that went
// to the same port before it. Nothing (and the reason) when the job is not on the machine.
std::optional<DeviceFeed> FeedForJob(const sim::Machine& machine, std::uint32_t jobId,
                                     std::string& error);
// Everything the device on the port of printer queue `printerName` received: every completed
// job to that port, in order. Nothing (and the reason) when there is no such printer.
std::optional<DeviceFeed> FeedForPrinter(const sim::Machine& machine, const std::string& printerName,
                                         std::string& error);

}  // namespace thermal
