// The spooler registration calls and how each failure is reported.
#include "setup/engine/SpoolerRegistration.h"

#include <cstring>
#include <vector>

#include "package/SpoolerRecords.h"
#include "platform/win_constants.h"

namespace setup {

namespace {
char* Text(const std::string& text) { return const_cast<char*>(text.c_str()); }
}  // namespace

bool RegisterMonitor(EngineContext& ctx, const std::string& name, const std::string& dllName) {
    plat::MONITOR_INFO_2A info{};
    info.pName = Text(name);
    info.pEnvironment = const_cast<char*>(ctx.SpoolerEnvironment());
    info.pDLLName = Text(dllName);
    if (ctx.platform.printerSetup().AddMonitorA(2, info)) return true;
    const std::uint32_t error = ctx.LastError();
    if (error == ERROR_PRINT_MONITOR_ALREADY_INSTALLED || error == ERROR_ALREADY_EXISTS)
        return true;
    ctx.SetFailure("IDS_ERR_ADDMONITOR", error);
    return false;
}

bool RegisterPrintProcessor(EngineContext& ctx, const std::string& dllName,
                            const std::string& name) {
    if (ctx.platform.printerSetup().AddPrintProcessorA(ctx.SpoolerEnvironment(), dllName.c_str(),
                                                       name.c_str()))
        return true;
    // Also "already installed": the processor's key was missing, so the registration the
    // version bookkeeping relies on did not happen.
    ctx.result.Set(ctx.Text("IDS_ERR_ADDPROCESSOR"));
    return false;
}

bool RegisterDriver(EngineContext& ctx, const pkg::DriverRecord& record) {
    plat::DRIVER_INFO_3A info = pkg::AsDriverInfo3(record);
    // The 32-bit program's own environment would be "Windows NT x86" on 64-bit Windows, where
    // AddPrinterA looks the driver up in "Windows x64".
    if (ctx.is64Bit) info.pEnvironment = const_cast<char*>(kWindowsX64Environment);
    if (ctx.platform.printerSetup().AddPrinterDriverA(3, info)) return true;
    ctx.SetFailure("IDS_ERR_ADDPRNDRV3", ctx.LastError());
    return false;
}

bool RegisterPrinter(EngineContext& ctx, pkg::PrinterRecord& record, bool keepName) {
    auto& spooler = ctx.platform.printerSetup();
    auto tryAdd = [&]() {
        const plat::PRINTER_INFO_2A info = pkg::AsPrinterInfo2(record);
        plat::PrinterHandle printer{};
        if (!spooler.AddPrinterA(2, info, printer)) return false;
        spooler.ClosePrinter(printer);
        return true;
    };
    auto fail = [&](const char* key, std::uint32_t error, bool withMessage) {
        if (withMessage)
            ctx.SetFailure(key, error);
        else
            ctx.result.Set(ctx.Text(key));
        record.printerName.clear();
        return false;
    };
    if (tryAdd()) return true;
    std::uint32_t error = ctx.LastError();
    if (error != ERROR_PRINTER_ALREADY_EXISTS) return fail("IDS_ERR_ADDPRINTER", error, true);
    if (keepName) return fail("IDS_ERR_TOOMANY", error, false);
    const std::string firstName = record.printerName;
    for (int n = 1; n <= kMaxPrinterNameNumber; ++n) {
        record.printerName = firstName + "(" + std::to_string(n) + ")";
        if (tryAdd()) return true;
        error = ctx.LastError();
        if (error != ERROR_PRINTER_ALREADY_EXISTS) return fail("IDS_ERR_ADDPRINTER", error, true);
    }
    return fail("IDS_ERR_TOOMANY", error, false);
}

namespace {

// Level-2 record of an open printer in a zeroed buffer; false when it cannot be read.
bool ReadPrinter2(plat::PrinterSetup& spooler, plat::PrinterHandle printer,
                  std::vector<std::uint8_t>& buffer) {
    std::uint32_t needed = 0;
    spooler.GetPrinterA(printer, 2, nullptr, 0, needed);
    if (needed < sizeof(plat::PRINTER_INFO_2A)) return false;
    buffer.assign(needed, 0);
    return spooler.GetPrinterA(printer, 2, buffer.data(),
                               static_cast<std::uint32_t>(buffer.size()), needed);
}

}  // namespace

void MakeDefaultPrinter(EngineContext& ctx, const std::string& printerName) {
    plat::OsVersion version;
    if (!ctx.platform.system().GetVersionExA(version)) return;
    auto& spooler = ctx.platform.printerSetup();
    auto& desktop = ctx.platform.desktop();
    if (version.platformId == VER_PLATFORM_WIN32_NT && version.major >= 5) {
        spooler.SetDefaultPrinterA(printerName.c_str());
        desktop.BroadcastWinIniChange(nullptr, 1000);
        return;
    }
    plat::PrinterHandle printer{};
    if (!spooler.OpenPrinterA(printerName.c_str(), printer)) return;
    std::vector<std::uint8_t> buffer;
    const bool read = ReadPrinter2(spooler, printer, buffer);
    if (version.platformId != VER_PLATFORM_WIN32_NT) {
        if (read) {
            plat::PRINTER_INFO_2A info;
            std::memcpy(&info, buffer.data(), sizeof info);
            info.Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
            spooler.SetPrinterA(printer, 2, &info, 0);
        }
        spooler.ClosePrinter(printer);
        desktop.BroadcastWinIniChange("windows", 1000);
        return;
    }
    if (read) {
        plat::PRINTER_INFO_2A info;
        std::memcpy(&info, buffer.data(), sizeof info);
        const std::string device = printerName + "," +
                                   (info.pDriverName ? info.pDriverName : "") + "," +
                                   (info.pPortName ? info.pPortName : "");
        ctx.platform.profile().WriteProfileStringA("windows", "device", device.c_str());
    }
    spooler.ClosePrinter(printer);
    desktop.BroadcastWinIniChange(nullptr, 1000);
}

bool CheckSpoolerPorts(EngineContext& ctx) {
    auto& spooler = ctx.platform.printerSetup();
    std::vector<std::uint8_t> buffer(1000, 0);
    std::uint32_t needed = 0;
    std::uint32_t returned = 0;
    if (spooler.EnumPortsA(1, buffer.data(), static_cast<std::uint32_t>(buffer.size()), needed,
                           returned))
        return true;
    buffer.assign(needed > 0 ? needed : 1, 0);
    if (spooler.EnumPortsA(1, buffer.data(), needed, needed, returned)) return true;
    ctx.SetFailure("IDS_ERR_ALLOCMEMORY", ctx.LastError());
    return false;
}

}  // namespace setup
