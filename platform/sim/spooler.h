// The print spooler on the simulated machine.
#pragma once
#include "platform/last_error.h"
#include "platform/sim/machine.h"
#include "platform/sim/process.h"
#include "platform/spooler.h"

namespace sim {

class SimSpooler : public plat::Spooler {
public:
    SimSpooler(const Machine& machine, const ProcessContext& process, plat::LastError& error);

    bool OpenPrinterW(const std::u16string& name, plat::PrinterHandle& out) override;
    bool ClosePrinter(plat::PrinterHandle printer) override;
    std::uint32_t StartDocPrinterW(plat::PrinterHandle printer,
                                   const plat::DocInfo1& document) override;
    bool StartPagePrinter(plat::PrinterHandle printer) override;
    bool WritePrinter(plat::PrinterHandle printer, const void* data, std::uint32_t size,
                      std::uint32_t& written) override;
    bool EndPagePrinter(plat::PrinterHandle printer) override;
    bool EndDocPrinter(plat::PrinterHandle printer) override;

private:
    const Machine& machine_;
    const ProcessContext& process_;
    plat::LastError& error_;
};

}  // namespace sim
