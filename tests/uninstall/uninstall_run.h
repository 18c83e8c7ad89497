// Runs the real uninstall program (and, to install something first, the real setup) through
// winsim on a fresh simulated machine with the example package in C:\Package.
#pragma once
#include <string>

#include "tests/setup/wizard_run.h"

namespace uninstalltest {

using wizardtest::RunResult;

class UninstallMachine : public wizardtest::WizardMachine {
protected:
    // A fresh machine from a preset with the package mounted and no real sleeping.
    void Prepare(const std::string& preset, const std::vector<std::string>& settings = {});
    // Runs C:\Package\uninstall.exe with a script in the package root. The machine's time scale
    // becomes 0.1 first: the window's timer must not outrun the worker thread, as it would
    // with no real time passing.
    RunResult RunUninstall(const std::string& script);
    // A job another program left unfinished on the printer (the spooler counts it in cJobs).
    void QueueJob(const std::string& printer);
    // A winsim command whose machine directory comes second: "desktop open-window", "'Title'".
    std::string Machine(const std::string& command, const std::string& arguments = "");
    std::string Inventory() { return Machine("inventory"); }
    // Installs the receipt printer VTX-80R with setup: on its USB port (a printer attached at
    // id 0) or on the serial port ZKCOM2:.
    void InstallWithSetup(bool usb);
    // The same on a port of the port page's list ("LPT1:").
    void InstallOnPort(const std::string& port);
};

// Licence accepted, then Next on the model, mode and OS pages: setup's port page.
inline constexpr const char* kToSetupPortPage = "click IDC_ACCEPT\nclick 1\nclick 1\nclick 1\nclick 1\n";

}  // namespace uninstalltest
