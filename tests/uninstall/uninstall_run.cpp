// winsim runs of the uninstaller for its scenario tests.
#include "tests/uninstall/uninstall_run.h"

#include <filesystem>
#include <fstream>

namespace uninstalltest {

void UninstallMachine::Prepare(const std::string& preset,
                               const std::vector<std::string>& settings) {
    Create(preset, settings);
    Machine("set", "timescale=0");
}

std::string UninstallMachine::Machine(const std::string& command, const std::string& arguments) {
    const std::string::size_type space = command.find(' ');
    const std::string verb = command.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : command.substr(space);
    RunResult r = Winsim(verb + " '" + (dir_ / "machine").string() + "'" + rest + " " + arguments);
    EXPECT_EQ(r.status, 0) << command << " " << arguments << ": " << r.output;
    return r.output;
}

RunResult UninstallMachine::RunUninstall(const std::string& script) {
    Machine("set", "timescale=0.1");
    const std::filesystem::path scriptFile = dir_ / "uninstall-script.txt";
    std::ofstream(scriptFile) << script;
    return Winsim("run '" + (dir_ / "machine").string() + "' 'C:\\Package\\uninstall.exe' --script '" +
                  scriptFile.string() + "'");
}

void UninstallMachine::QueueJob(const std::string& printer) {
    Machine("job", "add '" + printer + "'");
}

void UninstallMachine::InstallWithSetup(bool usb) {
    Machine("set", "timescale=0");
    if (usb) {
        RunResult attached = Winsim("usb attach '" + (dir_ / "machine").string() + "' --id 0");
        ASSERT_EQ(attached.status, 0) << attached.output;
    }
    InstallOnPort(usb ? "USB_VTX-80R_1" : "ZKCOM2:");
}

void UninstallMachine::InstallOnPort(const std::string& port) {
    Machine("set", "timescale=0");
    RunResult run =
        Run(std::string(kToSetupPortPage) + "choose IDC_PORTS " + port + "\nclick 1\nanswer OK\n");
    ASSERT_EQ(run.status, 0) << run.output;
}

}  // namespace uninstalltest
