// The process's platform: made from the environment winsim sets, and one for the whole process,
// so the program and every DLL it loads meet one current directory, clock and set of printer
// handles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/sim/process/throwaway_machine.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"

namespace {

// Sets the WINSIM_* variables of a program on the machine for the test's length.
class ProcessEnvironment {
public:
    explicit ProcessEnvironment(const sim::Machine& machine) {
        setenv("WINSIM_MACHINE", machine.dir().c_str(), 1);
        setenv("WINSIM_MODULE", "C:\\Windows\\System32\\spoolsv.exe", 1);
    }
    ~ProcessEnvironment() {
        unsetenv("WINSIM_MACHINE");
        unsetenv("WINSIM_MODULE");
    }
};

std::unique_ptr<sim::ThrowawayMachine> NewMachine() {
    std::string error;
    auto machine = sim::ThrowawayMachine::Create("windows-7-x64", "processplatform", error);
    EXPECT_TRUE(machine) << error;
    return machine;
}

TEST(ProcessPlatform, EveryPlatformOfTheProcessIsTheSameProcess) {
    auto machine = NewMachine();
    ASSERT_TRUE(machine);
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(machine->machine(), "Receipt (U) 1", "USB_RECEIPT_1", error));
    sim::MachineSettings settings = machine->machine().settings();
    settings.timeScale = 0;  // sleeps take no real time
    ASSERT_TRUE(machine->machine().SaveSettings(settings, error)) << error;
    ProcessEnvironment environment(machine->machine());
    auto program = plat::MakeProcessPlatform();
    auto library = plat::MakeProcessPlatform();  // as a DLL makes its own
    ASSERT_TRUE(program && library);

    // The current directory is the process's.
    ASSERT_TRUE(program->files().SetCurrentDirectoryA("C:\\Windows"));
    char directory[260] = {};
    library->files().GetCurrentDirectoryA(sizeof directory, directory);
    EXPECT_STREQ(directory, "C:\\Windows");

    // A printer handle the program opened is good in the library, as the driver's is in the
    // plug-in.
    plat::PrinterHandle printer = 0;
    ASSERT_TRUE(program->rawPrinting().OpenPrinterW(u"Receipt (U) 1", printer));
    EXPECT_NE(library->rawPrinting().StartDocPrinterW(printer, {u"Self test", u"", u"RAW"}), 0u);
    std::uint32_t written = 0;
    EXPECT_TRUE(library->rawPrinting().WritePrinter(printer, "\x1D(A", 3, written));
    EXPECT_TRUE(program->rawPrinting().EndDocPrinter(printer));
    EXPECT_TRUE(library->rawPrinting().ClosePrinter(printer));
    EXPECT_FALSE(program->rawPrinting().ClosePrinter(printer));
    EXPECT_EQ(program->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));

    // The clock too: a minute's sleep in one, which this machine skips, is a minute in the other.
    const std::uint32_t before = library->system().GetTickCount();
    program->system().Sleep(60000);
    EXPECT_GE(library->system().GetTickCount() - before, 60000u);
}

TEST(ProcessPlatform, AProcessStartedLaterReadsTheEnvironmentAgain) {
    auto first = NewMachine();
    auto second = NewMachine();
    ASSERT_TRUE(first && second);
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(second->machine(), "Only on the second", "", error));
    {
        ProcessEnvironment environment(first->machine());
        auto program = plat::MakeProcessPlatform();
        ASSERT_TRUE(program);
        plat::PrinterHandle printer = 0;
        EXPECT_FALSE(program->rawPrinting().OpenPrinterW(u"Only on the second", printer));
    }
    // Once no platform of the first lives, the next one belongs to the environment of then.
    ProcessEnvironment environment(second->machine());
    auto program = plat::MakeProcessPlatform();
    ASSERT_TRUE(program);
    plat::PrinterHandle printer = 0;
    EXPECT_TRUE(program->rawPrinting().OpenPrinterW(u"Only on the second", printer));
    EXPECT_TRUE(program->rawPrinting().ClosePrinter(printer));
}

TEST(ProcessPlatform, WithoutAMachineThereIsNoPlatform) {
    unsetenv("WINSIM_MACHINE");
    unsetenv("WINSIM_MODULE");
    testing::internal::CaptureStderr();
    EXPECT_EQ(plat::MakeProcessPlatform(), nullptr);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("winsim run"), std::string::npos);
}

}  // namespace
