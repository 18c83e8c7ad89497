// Running the installation plan step by step, as the installation worker does.
#include "package/PackageTypes.h"
#include "platform/win_constants.h"
#include "setup/engine/ComponentInstall.h"
#include "setup/engine/InstallPlan.h"
#include "setup/engine/Redirection.h"
#include "setup/engine/SerialSettings.h"
#include "setup/engine/SpoolerRegistration.h"
#include "setup/engine/UsbPortRecords.h"

namespace setup {

namespace {

class PlanRunner {
public:
    PlanRunner(EngineContext& ctx, InstallPlan& plan) : ctx_(ctx), plan_(plan) {}

    // False when the step ends the installation; the result text then says why.
    bool Run(const PlanStep& step) {
        PlanRecords& r = plan_.records;
        const std::string& port = plan_.request.portName;
        switch (step.kind) {
        case StepKind::EnsurePortMonitor:
            return EnsurePortMonitor(ctx_, port, r.monitors, result_.upgradeFlags);
        case StepKind::EnsurePrintProcessor:
            return EnsurePrintProcessor(ctx_, r.printer.printProcessor,
                                        r.files[pkg::kProcessorFile], r.processorVersion,
                                        result_.upgradeFlags);
        case StepKind::ReplaceOlderComponent:
            return ReplaceOlderComponent(
                ctx_, result_.upgradeFlags,
                {r.monitors, r.printer.printProcessor, r.files[pkg::kProcessorFile],
                 r.processorVersion});
        case StepKind::CheckSpoolerPorts:
            return CheckSpoolerPorts(ctx_);
        case StepKind::CheckDriverFilesNamed:
            for (pkg::DriverFileSlot slot :
                 {pkg::kDriverPathFile, pkg::kDataFile, pkg::kConfigFile, pkg::kHelpFile})
                if (!pkg::NamesFile(r.files[slot])) return Fail(step.failureKey);
            return true;
        case StepKind::CopyFile:
            return CopyFile(step);
        case StepKind::CopySystemExtras:
            CopyExtras();
            return true;
        case StepKind::CheckMinidriverDataFile:
            if (!pkg::NamesFile(r.files[pkg::kExtraDataFile])) return Fail(step.failureKey);
            return true;
        case StepKind::EnsureLanguageMonitor:
            if (!EnsureLanguageMonitor(ctx_, port, r.languageMonitor, result_.upgradeFlags))
                return false;
            if (result_.upgradeFlags & kLanguageMonitorOlder)
                return ReplaceLanguageMonitor(ctx_, r.languageMonitor);
            return true;
        case StepKind::RegisterDriver:
            if (!r.driverRecordFits) {
                // The dependent-file list did not fit: registering a shortened list would
                // install a driver without some of its files.
                ctx_.SetFailure("IDS_ERR_ADDPRNDRV3", ERROR_INSUFFICIENT_BUFFER);
                return false;
            }
            return RegisterDriver(ctx_, r.driver);
        case StepKind::RecordChosenUsbPort:
            return RecordChosenUsbPort(step.target);
        case StepKind::RegisterPrinter:
            if (!RegisterPrinter(ctx_, r.printer, r.portKind == pkg::kUsbPort)) return false;
            result_.printerName = r.printer.printerName;
            return true;
        case StepKind::MakeDefaultPrinter:
            MakeDefaultPrinter(ctx_, r.printer.printerName);
            return true;
        case StepKind::WriteSerialSettings:
            WritePortSettings();
            return true;
        case StepKind::ReportSuccess:
            if (step.target.empty())
                ctx_.result.Clear();
            else
                ctx_.result.Set(ctx_.Text(step.target.c_str()));
            return true;
        case StepKind::Succeed:
            return true;
        }
        return false;
    }

    InstallRunResult result() const { return result_; }

private:
    bool Fail(const std::string& key) {
        ctx_.result.Set(ctx_.Text(key.c_str()));
        return false;
    }

    // A copy that must succeed: it fails on any result but "copied", and also when an earlier
    // step left a failure in the result text (a spooler that did not come back).
    bool CopyFile(const PlanStep& step) {
        std::string name = step.target;
        const std::string earlier = ctx_.result.str();
        const int copied = CopyPackageFile(ctx_, name, step.destination, false);
        if (!earlier.empty()) {
            // The earlier failure is the outcome: with the spooler not running this copy fails
            // too, and its text ("no driver directory") would hide the cause.
            ctx_.result.Set(earlier);
            return false;
        }
        if (copied == kCopied) return true;
        if (ctx_.result.empty()) {
            // In use or denied: the copy leaves no text of its own.
            ctx_.result.Set(ctx_.Text("IDS_ERR_COPYFIEL") + name);
            const std::string message = ctx_.SystemMessage(static_cast<std::uint32_t>(copied));
            if (!message.empty()) ctx_.result.Append("\n" + message);
        }
        return false;
    }

    // The port monitor learns that the chosen port is in use. On 64-bit Windows the registry
    // work runs with System32 redirection suspended; without Kernel32 the run ends, and the
    // result text says why (an empty one would be reported as success).
    bool RecordChosenUsbPort(const std::string& portName) {
        UsbPortRecordsContext records{ctx_.platform, ctx_.is64Bit, "", ctx_.owner, ctx_.caption};
        if (!ctx_.is64Bit) {
            WriteChosenUsbPortRecord(records, portName);
            return true;
        }
        RedirectionSuspension suspension(ctx_.platform, ctx_.is64Bit);
        ShowRedirectionProblems(ctx_.platform.desktop(), ctx_.owner, ctx_.caption.c_str(),
                                suspension);
        if (suspension.missing() == RedirectionSuspension::Missing::Kernel32) {
            ctx_.result.Set(kKernel32Missing);
            return false;
        }
        WriteChosenUsbPortRecord(records, portName);
        return true;
    }

    // The line settings once the printer exists: the registry's Ports list on the NT family,
    // the port driver's DCB and win.ini on Windows 98/Me.
    void WritePortSettings() {
        const std::string& port = plan_.request.portName;
        if (ctx_.os == 0)
            WriteSerialSettings98(ctx_.platform, SerialPortNumber(port), port,
                                  plan_.request.serial);
        else
            WriteSerialSettings(ctx_.platform, ctx_.is64Bit, port, plan_.request.serial);
    }

    // The extra system files are helpful, not required: their failures do not end the run and
    // must not be shown as its outcome.
    void CopyExtras() {
        const std::string before = ctx_.result.str();
        CopySystemExtras(ctx_, plan_.records.minidriverSwitch);
        ctx_.result.Set(before);
    }

    EngineContext& ctx_;
    InstallPlan& plan_;
    InstallRunResult result_;
};

}  // namespace

InstallRunResult RunInstallPlan(EngineContext& ctx, InstallPlan& plan, InstallStatus& status) {
    PlanRunner runner(ctx, plan);
    for (const PlanStep& step : plan.steps) {
        if (!runner.Run(step)) {
            status.store(kInstallFailed);
            return runner.result();
        }
    }
    status.store(kInstallSucceeded);
    return runner.result();
}

}  // namespace setup
