// The spooler's setup calls the installation relies on: the environments' directories, the
// port list, and the failures AddMonitorA, AddPrinterA and OpenPrinterA give for what is not
// there.
#include <cstring>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

class SpoolerSetupTest : public ConformanceTest {
protected:
    plat::PrinterSetup& Spooler() { return P().printerSetup(); }
    std::uint32_t Last() { return P().lastError().GetLastError(); }

    // The driver directory for an environment, or "error N".
    std::string DriverDirectory(const char* environment) {
        char out[300] = {};
        std::uint32_t needed = 0;
        if (!Spooler().GetPrinterDriverDirectoryA(environment, 1, out, sizeof out, needed))
            return "error " + std::to_string(Last());
        return out;
    }
    static bool EndsWith(const std::string& text, const std::string& tail) {
        return text.size() >= tail.size() &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
    static std::string Lower(std::string text) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return text;
    }
};

TEST_F(SpoolerSetupTest, TheDriverDirectoryFollowsTheEnvironment) {
    // A null environment is the program's own family.
    const bool program64 = P().system().GetProcessorArchitecture() == 9;
    const std::string own = Lower(DriverDirectory(nullptr));
    EXPECT_TRUE(EndsWith(own, program64 ? "\\spool\\drivers\\x64" : "\\spool\\drivers\\w32x86"))
        << own;
    EXPECT_TRUE(EndsWith(Lower(DriverDirectory("Windows NT x86")), "\\spool\\drivers\\w32x86"));
    EXPECT_EQ(DriverDirectory("No Such Environment"), "error 1805");

    // The size asked for counts the terminator.
    std::uint32_t needed = 0;
    char small[4] = {};
    EXPECT_FALSE(Spooler().GetPrinterDriverDirectoryA(nullptr, 1, small, sizeof small, needed));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, own.size() + 1);
}

TEST_F(SpoolerSetupTest, TheProcessorDirectoryFollowsTheEnvironment) {
    char out[300] = {};
    std::uint32_t needed = 0;
    ASSERT_TRUE(Spooler().GetPrintProcessorDirectoryA("Windows NT x86", 1, out, sizeof out, needed));
    EXPECT_TRUE(EndsWith(Lower(out), "\\spool\\prtprocs\\w32x86")) << out;
    EXPECT_FALSE(Spooler().GetPrintProcessorDirectoryA("No Such Environment", 1, out, sizeof out,
                                                     needed));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_INVALID_ENVIRONMENT));
}

TEST_F(SpoolerSetupTest, PortsAreListedAfterASizeQuery) {
    std::uint32_t needed = 0, returned = 0;
    EXPECT_FALSE(Spooler().EnumPortsA(1, nullptr, 0, needed, returned));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_INSUFFICIENT_BUFFER));
    ASSERT_GT(needed, 0u);
    std::vector<std::uint8_t> buffer(needed);
    ASSERT_TRUE(Spooler().EnumPortsA(1, buffer.data(), needed, needed, returned));
    ASSERT_GT(returned, 0u);
    bool lpt1 = false;
    for (std::uint32_t i = 0; i < returned; ++i) {
        plat::PORT_INFO_1A port;
        std::memcpy(&port, buffer.data() + i * sizeof port, sizeof port);
        // The names lie in the caller's buffer, behind the records.
        const auto* name = reinterpret_cast<const std::uint8_t*>(port.pName);
        EXPECT_GE(name, buffer.data() + returned * sizeof port);
        EXPECT_LT(name, buffer.data() + buffer.size());
        if (std::strcmp(port.pName, "LPT1:") == 0) lpt1 = true;
    }
    EXPECT_TRUE(lpt1);
}

TEST_F(SpoolerSetupTest, AMonitorWhoseDllIsNotThereIsRefused) {
    char name[] = "Conformance Absent Monitor", dll[] = "conformance-absent-monitor.dll";
    plat::MONITOR_INFO_2A info{name, nullptr, dll};
    EXPECT_FALSE(Spooler().AddMonitorA(2, info));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_MOD_NOT_FOUND));
}

TEST_F(SpoolerSetupTest, APrinterOfAnUnknownDriverIsRefused) {
    char name[] = "Conformance Printer", port[] = "LPT1:", driver[] = "Conformance No Such Driver",
         processor[] = "winprint";
    plat::PRINTER_INFO_2A info{};
    info.pPrinterName = name;
    info.pPortName = port;
    info.pDriverName = driver;
    info.pPrintProcessor = processor;
    plat::PrinterHandle handle = 0;
    EXPECT_FALSE(Spooler().AddPrinterA(2, info, handle));
    // Wine refuses the record with ERROR_INVALID_PARAMETER instead.
    EXPECT_TRUE_EXCEPT_WINE(Last() == static_cast<std::uint32_t>(ERROR_UNKNOWN_PRINTER_DRIVER));
}

TEST_F(SpoolerSetupTest, OpeningAnUnknownPrinterFails) {
    plat::PrinterHandle handle = 0;
    EXPECT_FALSE(Spooler().OpenPrinterA("Conformance No Such Printer", handle));
    EXPECT_EQ(Last(), static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
}

}  // namespace
}  // namespace conformance
