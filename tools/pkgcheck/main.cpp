// pkgcheck: shows what setup will offer and install from a driver package, and lists the
// problems a package author would want to know about.
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/sim/process/throwaway_machine.h"
#include "tools/pkgcheck/caching_platform.h"
#include "tools/pkgcheck/install_plan_output.h"
#include "tools/pkgcheck/package_report.h"
#include "tools/pkgcheck/report_output.h"

namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kUsage = 2;

const char* const kHelp =
    "usage: pkgcheck [--json] [--] PACKAGE_DIR\n"
    "       pkgcheck --plan MODEL --os SYSTEM --port PORT [--raster] [--] PACKAGE_DIR\n"
    "       pkgcheck --help\n"
    "\n"
    "Reads a driver package the way setup reads it and prints what setup will offer and\n"
    "install: the models per series; for each model and word size (32-bit Windows with the\n"
    "W32 files, 64-bit Windows with the W64 files) its ports, settings and systems; for each\n"
    "OS row, driver flavour (raster, standard) and port kind the driver record, printer\n"
    "record and file list; and the port and language monitors of each OS row.\n"
    "\n"
    "The package is copied onto a throwaway simulated Windows machine and read through\n"
    "setup's own configuration reader, so letter case, quotes and missing keys are treated\n"
    "exactly as setup treats them.\n"
    "\n"
    "Problems listed (each line starts with its kind):\n"
    "  model-without-series     a DEVICENAME entry without a series suffix\n"
    "  model-count              DEVICENUMBER beyond the last entry (setup reads at most\n"
    "                           DEVICENAME1000), numbers without an entry, or entries\n"
    "                           beyond the count\n"
    "  no-models                no entry with a series suffix at all\n"
    "  default-names-no-model   DEFAULTNAME names no listed model\n"
    "  missing-series-file      a series file of a series that has models\n"
    "  missing-port-section     a model without its .PORT section\n"
    "  missing-os-section       a model without one of its eight OS sections\n"
    "  missing-file             a file the configuration names, missing from W32 or W64\n"
    "  dependent-list-too-long  a dependent-file list that does not fit its 200 bytes\n"
    "  minidriver-without-data-dll\n"
    "                           a flavour whose 2KDDKDEV switch is on while its\n"
    "                           DataFileDLLName names no file (installation fails)\n"
    "  startup-port-check       setup would stop at start (Setup/PortNull)\n"
    "  missing-language-key     a key setup or uninstall reads, missing from\n"
    "                           language\\setup.ini or language\\uninstall.ini\n"
    "  missing-package-file     a language file, Left.bmp, License.txt (when LOADLICENSE\n"
    "                           is on), Uninstall.ini or a USB driver file is missing\n"
    "  clashing-access-keys     two controls shown together on a wizard page (with the\n"
    "                           frame's buttons) or in the About box share an access key\n"
    "\n"
    "With --plan, pkgcheck prints instead the installation steps setup would run for one\n"
    "model, system and port, in order, with the file or component each acts on, where each\n"
    "file comes from and goes to, and the message shown when it fails. Nothing is run.\n"
    "\n"
    "Options:\n"
    "  --json   print the same report as one JSON object (see docs/pkgcheck.md)\n"
    "  --plan MODEL   print the installation plan of MODEL (its name without the series\n"
    "           suffix, e.g. VTX-58R)\n"
    "  --os SYSTEM    with --plan: 98-x86, nt4-x86, or 2000, xp, 2003, vista, 2008, win7\n"
    "           followed by -x86 or -x64\n"
    "  --port PORT    with --plan: the chosen port, e.g. COM1:, LPT1:, NET:, USB_VTX-58R_1\n"
    "  --raster       with --plan: the raster flavour (\"Raster Graphic Printing\")\n"
    "  --help   print this help\n"
    "  --       end of the options: the next argument is the directory, even if it\n"
    "           starts with '-'\n"
    "\n"
    "Exit status: 0 no problem found (--plan: the plan was printed), 1 problems found, 2\n"
    "usage error, the package could not be read, or (--plan) the model or port is unknown.\n";

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    bool plan = false;
    pkgcheck::PlanOptions planOptions;
    bool optionsEnded = false;  // after "--" every argument is a directory, even "-x"
    std::string package;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            std::cout << kHelp;
            return kClean;
        } else if (!optionsEnded && arg == "--json") {
            json = true;
        } else if (!optionsEnded && arg == "--raster") {
            planOptions.raster = true;
        } else if (!optionsEnded && (arg == "--plan" || arg == "--os" || arg == "--port")) {
            if (i + 1 >= argc) {
                std::cerr << "pkgcheck: " << arg << " needs a value\n\n" << kHelp;
                return kUsage;
            }
            const std::string value = argv[++i];
            if (arg == "--plan") {
                plan = true;
                planOptions.model = value;
            } else if (arg == "--os") {
                planOptions.os = value;
            } else {
                planOptions.port = value;
            }
        } else if (!optionsEnded && !arg.empty() && arg[0] == '-') {
            std::cerr << "pkgcheck: unknown option " << arg << "\n\n" << kHelp;
            return kUsage;
        } else if (package.empty()) {
            package = arg;
        } else {
            std::cerr << "pkgcheck: one package directory only\n\n" << kHelp;
            return kUsage;
        }
    }
    if (package.empty()) {
        std::cerr << "pkgcheck: no package directory given\n\n" << kHelp;
        return kUsage;
    }
    if (plan && (planOptions.os.empty() || planOptions.port.empty())) {
        std::cerr << "pkgcheck: --plan needs --os and --port\n\n" << kHelp;
        return kUsage;
    }
    int planOs = 0;
    bool planIs64 = false;
    if (plan && !pkgcheck::ParsePlanOs(planOptions.os, planOs, planIs64)) {
        std::cerr << "pkgcheck: unknown system " << planOptions.os << "\n\n" << kHelp;
        return kUsage;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(package, ec)) {
        std::cerr << "pkgcheck: " << package << " is not a directory\n";
        return kUsage;
    }

    // The package is read on a throwaway machine as setup reads it: from C:\Pkg\setup.exe
    // with C:\Pkg as current directory. The machine's version does not matter, since the
    // configuration is read for both word sizes.
    std::string error;
    auto machine = sim::ThrowawayMachine::Create("windows-7-x64", "pkgcheck", error);
    if (!machine || !machine->CopyIn(package, "C:\\Pkg", error)) {
        std::cerr << "pkgcheck: " << error << "\n";
        return kUsage;
    }
    auto setupProcess = machine->Process(32, "C:\\Pkg\\setup.exe", "C:\\Pkg");
    pkgcheck::CachingPlatform platform(*setupProcess);
    if (plan) {
        if (!pkgcheck::PrintInstallPlan(platform, planOptions, std::cout)) return kUsage;
        return kClean;
    }
    pkgcheck::Report report = pkgcheck::BuildReport(
        platform, std::filesystem::absolute(package).lexically_normal().string());
    if (json)
        pkgcheck::PrintJson(report, std::cout);
    else
        pkgcheck::PrintText(report, std::cout);
    return report.problems.empty() ? kClean : kProblems;
}
