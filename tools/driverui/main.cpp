// driverui: shows a printer's document or device property sheet the way the universal printer
// driver's UI does, with the pages of the UI plug-in, and keeps the device modes it applies.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "tools/driverui/CallText.h"
#include "tools/driverui/DriverUiHost.h"
#include "tools/driverui/HostSetup.h"
#include "tools/driverui/SpoolerForms.h"

namespace {

using namespace driverui;

constexpr int kUsage = 2;

int Usage(const char* problem) {
    std::fprintf(stderr,
                 "driverui: %s\n"
                 "usage: driverui PRINTER --document|--device [--plugin PATH] [--no-printer] [--page N]\n"
                 "  --document  the printing preferences (the user's device mode)\n"
                 "  --device    the printer's properties (the printer's device mode)\n"
                 "  --plugin    Windows only: the UI plug-in DLL (default: ZK450iUI.dll beside\n"
                 "              driverui)\n"
                 "  --no-printer  do not open PRINTER: the plug-in gets no printer handle, so\n"
                 "              forms and test prints fail (a Windows without the printer)\n"
                 "  --page N    the sheet opens on its page N, counted from 0 (default 0)\n",
                 problem);
    return kUsage;
}

bool ParseArguments(int argc, char** argv, HostRequest& request, std::string& problem) {
    bool sheetGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--document" || a == "--device") {
            if (sheetGiven) {
                problem = "give one of --document and --device";
                return false;
            }
            sheetGiven = true;
            request.sheet = a == "--document" ? SheetKind::kDocument : SheetKind::kDevice;
        } else if (a == "--no-printer") {
            request.noPrinter = true;
        } else if (a == "--plugin") {
            if (i + 1 == argc) {
                problem = "--plugin needs a path";
                return false;
            }
            request.pluginPath = argv[++i];
        } else if (a == "--page") {
            char* end = nullptr;
            const long page = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
            if (i + 1 == argc || *end != '\0' || end == argv[i + 1] || page < 0 || page > 99) {
                problem = "--page needs a page number from 0 to 99";
                return false;
            }
            request.startPage = static_cast<int>(page);
            ++i;
        } else if (a.rfind("--", 0) == 0) {
            problem = "unknown option " + a;
            return false;
        } else if (request.printer.empty()) {
            request.printer = a;
        } else {
            problem = "one printer only";
            return false;
        }
    }
    if (request.printer.empty()) problem = "needs the printer's name";
    else if (!sheetGiven) problem = "needs --document or --device";
    return problem.empty();
}

}  // namespace

int main(int argc, char** argv) {
    HostRequest request;
    std::string problem;
    if (!ParseArguments(argc, argv, request, problem)) return Usage(problem.c_str());
    std::unique_ptr<plat::Platform> platform = plat::MakeProcessPlatform();
    if (!platform) return kHostFailed;
    std::unique_ptr<HostReport> report = MakeHostReport(*platform);

    plat::PrinterHandle printer = 0;
    if (request.noPrinter) {
        report->Line("no printer handle (--no-printer)");
    } else if (!platform->rawPrinting().OpenPrinterW(Widen(request.printer), printer)) {
        report->Line("OpenPrinterW(\"" + request.printer + "\") fails with error " +
                     std::to_string(platform->lastError().GetLastError()));
        return kHostFailed;
    } else {
        report->Line("OpenPrinterW(\"" + request.printer + "\") -> a printer handle");
    }

    std::vector<FormChoice> forms;
    if (auto listed = ListSpoolerForms(*platform, printer)) {
        forms = std::move(*listed);
        report->Line("EnumFormsW -> " + std::to_string(forms.size()) + " forms");
    } else {
        report->Line("EnumFormsW fails with error " +
                     std::to_string(platform->lastError().GetLastError()) +
                     ": no paper-size item");
    }

    int status = kHostFailed;
    if (std::unique_ptr<PluginModule> plugin = LoadPluginModule(request, *report)) {
        std::unique_ptr<DevmodeStore> store = MakeDevmodeStore(*platform);
        HostRun run{platform->dialogs(), *report, *store, *plugin, printer, std::move(forms)};
        status = RunDriverUi(request, run);
    }
    if (printer) platform->rawPrinting().ClosePrinter(printer);
    return status;
}
