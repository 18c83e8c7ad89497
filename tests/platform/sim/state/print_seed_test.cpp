// A new machine's print system: which environments, monitors, processors and directories each
// kind of Windows starts with.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/state/print_provider.h"
#include "tests/support/temp_machine.h"

namespace {

struct SeedCase {
    const char* preset;
    std::vector<std::string> environments;  // with a winprint processor each
    bool usbMonitor;
    bool tcpMonitor;
    const char* versionDir;  // one driver directory that must exist
};

TEST(PrintSeed, EachKindOfWindowsStartsWithItsOwnPrintSystem) {
    const SeedCase cases[] = {
        {"windows-7-x64", {"Windows NT x86", "Windows x64"}, true, true,
         "C:\\Windows\\System32\\spool\\drivers\\x64\\3"},
        {"windows-7-x86", {"Windows NT x86", "Windows x64"}, true, true,
         "C:\\Windows\\System32\\spool\\drivers\\w32x86\\3"},
        {"xp-x86", {"Windows 4.0", "Windows NT x86", "Windows x64"}, true, true,
         "C:\\WINDOWS\\System32\\spool\\drivers\\win40\\0"},
        {"windows-2000-x86", {"Windows 4.0", "Windows NT x86"}, true, true,
         "C:\\WINNT\\System32\\spool\\drivers\\w32x86\\2"},
        {"nt4-x86", {"Windows 4.0", "Windows NT x86"}, false, true,
         "C:\\WINNT\\System32\\spool\\drivers\\w32x86\\2"},
        {"windows-98", {"Windows 4.0"}, false, false, "C:\\WINDOWS\\System32"},
    };
    for (const SeedCase& c : cases) {
        SCOPED_TRACE(c.preset);
        testsupport::TempMachine m(c.preset);
        const sim::PrintProvider provider(m.machine());
        std::vector<std::string> environments;
        for (const sim::SimProcessor& p : provider.Processors()) {
            EXPECT_EQ(p.name, "winprint");
            EXPECT_EQ(p.dll, "winprint.dll");
            environments.push_back(p.environment);
        }
        std::sort(environments.begin(), environments.end());
        EXPECT_EQ(environments, c.environments);
        auto has = [&](const std::string& name) {
            for (const sim::SimMonitor& monitor : provider.Monitors())
                if (monitor.name == name) return true;
            return false;
        };
        EXPECT_TRUE(has("Local Port"));
        EXPECT_EQ(has("USB Monitor"), c.usbMonitor);
        EXPECT_EQ(has("Standard TCP/IP Port"), c.tcpMonitor);
        const std::string system = m.machine().settings().systemDir();
        EXPECT_EQ(std::filesystem::exists(m.machine().HostPath(system + "\\usbmon.dll")), c.usbMonitor);
        EXPECT_TRUE(std::filesystem::exists(m.machine().HostPath(system + "\\localspl.dll")));
        EXPECT_TRUE(std::filesystem::is_directory(m.machine().HostPath(c.versionDir)));
        EXPECT_TRUE(provider.Printers().empty());
        EXPECT_EQ(provider.Ports().size(), 8u);
    }
}

}  // namespace
