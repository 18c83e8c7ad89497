// Printer setup on the simulated spooler: environments and their directories, drivers,
// monitors, print processors, ports, printers, the default printer, and the stopped spooler.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/host_files.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::ReadHostFile;
using testsupport::TempMachine;
using testsupport::WriteHostFile;

// A process on a machine with the calls the tests make, each giving the error it ended with
// (0 for success).
struct Caller {
    Caller(TempMachine& machine, int bits) : m(machine), p(machine.Process(bits)) {}

    plat::PrinterSetup& setup() { return p->printerSetup(); }
    std::uint32_t Last() { return p->lastError().GetLastError(); }
    std::uint32_t Result(bool ok) { return ok ? 0 : Last(); }

    // The directory a Get*DirectoryA call gives, or the error as "error N".
    std::string Directory(const char* environment, bool processors = false) {
        char out[260] = {};
        std::uint32_t needed = 0;
        const bool ok = processors
                            ? setup().GetPrintProcessorDirectoryA(environment, 1, out, 260, needed)
                            : setup().GetPrinterDriverDirectoryA(environment, 1, out, 260, needed);
        return ok ? std::string(out) : "error " + std::to_string(Last());
    }
    // Writes a file on the machine's drive C.
    void Put(const std::string& windowsPath, const std::string& text = "stand-in\r\n") {
        WriteHostFile(m.machine().HostPath(windowsPath), text);
    }
    bool Exists(const std::string& windowsPath) {
        return std::filesystem::exists(m.machine().HostPath(windowsPath));
    }
    std::uint32_t AddDriver(const char* environment, std::uint32_t version,
                            const char* dependents = nullptr, const char* monitor = nullptr) {
        plat::DRIVER_INFO_3A d{};
        d.cVersion = version;
        d.pName = const_cast<char*>("VTX 80 Receipt");
        d.pEnvironment = const_cast<char*>(environment);
        d.pDriverPath = const_cast<char*>("UNIDRV.DLL");
        d.pDataFile = const_cast<char*>("VTX80R.GPD");
        d.pConfigFile = const_cast<char*>("UNIDRVUI.DLL");
        d.pDependentFiles = const_cast<char*>(dependents);
        d.pMonitorName = const_cast<char*>(monitor);
        return Result(setup().AddPrinterDriverA(3, d));
    }
    // Puts the three required driver files into a driver directory.
    void StageDriverFiles(const std::string& driverDir) {
        for (const char* name : {"UNIDRV.DLL", "VTX80R.GPD", "UNIDRVUI.DLL"})
            Put(driverDir + "\\" + name, std::string("file ") + name);
    }
    std::uint32_t AddPrinter(const char* name, const char* port = "LPT1:",
                             const char* driver = "VTX 80 Receipt",
                             const char* processor = "winprint") {
        plat::PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(name);
        info.pPortName = const_cast<char*>(port);
        info.pDriverName = const_cast<char*>(driver);
        info.pPrintProcessor = const_cast<char*>(processor);
        plat::PrinterHandle handle = 0;
        const bool ok = setup().AddPrinterA(2, info, handle);
        if (!ok) return Last();
        EXPECT_NE(handle, 0u);
        return 0;
    }
    std::vector<std::string> Ports() {
        std::uint32_t needed = 0, returned = 0;
        EXPECT_FALSE(setup().EnumPortsA(1, nullptr, 0, needed, returned));
        std::vector<std::uint8_t> buffer(needed);
        std::vector<std::string> names;
        if (!setup().EnumPortsA(1, buffer.data(), needed, needed, returned)) return {"error"};
        for (std::uint32_t i = 0; i < returned; ++i) {
            plat::PORT_INFO_1A port;
            std::memcpy(&port, buffer.data() + i * sizeof port, sizeof port);
            names.emplace_back(port.pName);
        }
        return names;
    }
    bool Lists(const std::string& port) {
        for (const std::string& name : Ports())
            if (name == port) return true;
        return false;
    }

    TempMachine& m;
    std::unique_ptr<sim::SimPlatform> p;
};

// ---- Environments and directories ----

struct DirectoryCase {
    const char* preset;
    int bits;
    const char* environment;
    const char* directory;  // or "error N"
    bool processors = false;  // the print-processor directory, not the driver directory
};

// The null environment is the caller's own; print processors follow the same rule.
TEST(SpoolerDirectories, EachEnvironmentHasItsDirectoryAndUnknownOnesAreRefused) {
    const DirectoryCase cases[] = {
        {"windows-7-x64", 32, nullptr, "C:\\Windows\\System32\\spool\\drivers\\w32x86"},
        {"windows-7-x64", 64, nullptr, "C:\\Windows\\System32\\spool\\drivers\\x64"},
        {"windows-7-x64", 32, "Windows x64", "C:\\Windows\\System32\\spool\\drivers\\x64"},
        {"windows-7-x64", 64, "windows nt X86", "C:\\Windows\\System32\\spool\\drivers\\w32x86"},
        {"windows-7-x64", 32, "Windows 4.0", "error 1805"},  // gone after 5.2
        {"windows-7-x64", 32, "Windows IA64", "error 1805"},
        {"xp-x86", 32, nullptr, "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86"},
        {"xp-x86", 32, "Windows 4.0", "C:\\WINDOWS\\System32\\spool\\drivers\\win40"},
        {"xp-x86", 32, "Windows x64", "C:\\WINDOWS\\System32\\spool\\drivers\\x64"},
        {"windows-2000-x86", 32, "Windows x64", "error 1805"},
        {"server-2003-x64", 32, "Windows 4.0", "C:\\WINDOWS\\System32\\spool\\drivers\\win40"},
        {"windows-98", 32, nullptr, "C:\\WINDOWS\\System32"},
        {"windows-98", 32, "Windows NT x86", "error 1805"},
        {"windows-7-x64", 32, nullptr, "C:\\Windows\\System32\\spool\\prtprocs\\w32x86", true},
        {"windows-7-x64", 64, nullptr, "C:\\Windows\\System32\\spool\\prtprocs\\x64", true},
        {"windows-7-x64", 32, "Bogus", "error 1805", true},
    };
    for (const DirectoryCase& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + std::to_string(c.bits) + " " +
                     (c.environment ? c.environment : "null") + (c.processors ? " processors" : ""));
        TempMachine m(c.preset);
        Caller caller(m, c.bits);
        EXPECT_EQ(caller.Directory(c.environment, c.processors), c.directory);
    }
}

TEST(SpoolerDirectories, TheBufferMustHoldTheTerminatorAndOnlyLevelOneIsKnown) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 32);
    const std::string dir = "C:\\Windows\\System32\\spool\\drivers\\w32x86";  // 41 characters
    std::vector<char> out(64, 'x');
    std::uint32_t needed = 0;
    const auto size = static_cast<std::uint32_t>(dir.size());
    EXPECT_FALSE(caller.setup().GetPrinterDriverDirectoryA(nullptr, 1, out.data(), size, needed));
    EXPECT_EQ(caller.Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(needed, size + 1);
    EXPECT_EQ(out[0], 'x') << "nothing is written into a buffer that is too small";
    EXPECT_TRUE(caller.setup().GetPrinterDriverDirectoryA(nullptr, 1, out.data(), size + 1, needed));
    EXPECT_EQ(std::string(out.data()), dir);
    EXPECT_FALSE(caller.setup().GetPrinterDriverDirectoryA(nullptr, 2, out.data(), 64, needed));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_LEVEL);
}

// ---- Drivers ----

TEST(SpoolerDrivers, FilesAreMovedIntoTheVersionDirectoryAndTheKeyIsWritten) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    const std::string dir = "C:\\Windows\\System32\\spool\\drivers\\x64";
    caller.StageDriverFiles(dir);
    caller.Put(dir + "\\VTXREND.DLL");
    EXPECT_EQ(caller.AddDriver(nullptr, 3, "VTX80R.GPD\0VTXREND.DLL\0"), 0u);
    for (const char* name : {"UNIDRV.DLL", "VTX80R.GPD", "UNIDRVUI.DLL", "VTXREND.DLL"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(caller.Exists(dir + "\\3\\" + name));
        EXPECT_FALSE(caller.Exists(dir + "\\" + name)) << "moved, not copied";
    }
    auto drivers = sim::PrintProvider(m.machine()).Drivers();
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_EQ(drivers[0].environment, "Windows x64");
    EXPECT_EQ(drivers[0].version, 3u);
    EXPECT_EQ(drivers[0].driverPath, "UNIDRV.DLL");
    EXPECT_EQ(drivers[0].configFile, "UNIDRVUI.DLL");
    EXPECT_EQ(drivers[0].dependentFiles, (std::vector<std::string>{"VTX80R.GPD", "VTXREND.DLL"}));
    const std::string reg = ReadHostFile(m.machine().registryFile());
    EXPECT_NE(reg.find("[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\"
                       "Environments\\Windows x64\\Drivers\\Version-3\\VTX 80 Receipt]"),
              std::string::npos);

    // Added again with its files already in place: replaced, and still there.
    EXPECT_EQ(caller.AddDriver(nullptr, 3), 0u);
    drivers = sim::PrintProvider(m.machine()).Drivers();
    ASSERT_EQ(drivers.size(), 1u);
    EXPECT_TRUE(drivers[0].dependentFiles.empty());
}

TEST(SpoolerDrivers, AMissingFileFailsAndMovesNothing) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    const std::string dir = "C:\\Windows\\System32\\spool\\drivers\\x64";
    caller.StageDriverFiles(dir);
    EXPECT_EQ(caller.AddDriver(nullptr, 3, "VTXREND.DLL\0"), std::uint32_t(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(caller.Exists(dir + "\\UNIDRV.DLL"));
    EXPECT_FALSE(caller.Exists(dir + "\\3\\UNIDRV.DLL"));
    EXPECT_TRUE(sim::PrintProvider(m.machine()).Drivers().empty());
}

TEST(SpoolerDrivers, TheVersionMustSuitTheEnvironment) {
    struct Case {
        const char* preset;
        const char* environment;
        std::uint32_t version;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"windows-7-x64", "Windows x64", 3, 0},
        {"windows-7-x64", "Windows x64", 2, ERROR_INVALID_PARAMETER},
        {"windows-7-x64", "Windows NT x86", 3, 0},
        {"windows-7-x64", "Windows NT x86", 2, 0},
        {"windows-7-x64", "Windows NT x86", 4, ERROR_INVALID_PARAMETER},
        {"xp-x86", "Windows 4.0", 0, 0},
        {"xp-x86", "Windows 4.0", 3, ERROR_INVALID_PARAMETER},
        {"windows-7-x64", "Windows 4.0", 0, ERROR_INVALID_ENVIRONMENT},
        {"windows-98", nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + (c.environment ? c.environment : "null") + " " +
                     std::to_string(c.version));
        TempMachine m(c.preset);
        Caller caller(m, 32);
        const std::string dir = caller.Directory(c.environment);
        if (dir.rfind("error", 0) != 0) caller.StageDriverFiles(dir);
        EXPECT_EQ(caller.AddDriver(c.environment, c.version), c.error);
    }
}

TEST(SpoolerDrivers, AMonitorMustBeInstalledAndOnlyLevelThreeIsKnown) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    caller.StageDriverFiles("C:\\Windows\\System32\\spool\\drivers\\x64");
    EXPECT_EQ(caller.AddDriver(nullptr, 3, nullptr, "VTX Language Monitor"),
              std::uint32_t(ERROR_UNKNOWN_PRINT_MONITOR));
    plat::DRIVER_INFO_3A d{};
    EXPECT_FALSE(caller.setup().AddPrinterDriverA(2, d));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_LEVEL);
    EXPECT_EQ(caller.AddDriver(nullptr, 3, nullptr, "usb monitor"), 0u);  // letter case aside
}

// The failure a 32-bit setup meets on 64-bit Windows, and the road that works.
TEST(SpoolerDrivers, OnX64A32BitCallersDefaultDriverIsNotOneAPrinterCanUse) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 32);
    caller.StageDriverFiles(caller.Directory(nullptr));
    ASSERT_EQ(caller.AddDriver(nullptr, 3), 0u);
    EXPECT_TRUE(caller.Exists("C:\\Windows\\System32\\spool\\drivers\\w32x86\\3\\UNIDRV.DLL"));
    EXPECT_EQ(caller.AddPrinter("VTX 80 Receipt (S) 1", "COM1:"),
              std::uint32_t(ERROR_UNKNOWN_PRINTER_DRIVER));

    caller.StageDriverFiles("C:\\Windows\\System32\\spool\\drivers\\x64");
    ASSERT_EQ(caller.AddDriver("Windows x64", 3), 0u);
    EXPECT_TRUE(caller.Exists("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\UNIDRV.DLL"));
    EXPECT_EQ(caller.AddPrinter("VTX 80 Receipt (S) 1", "COM1:"), 0u);
}

// ---- Monitors and print processors ----

// AddMonitorA on 64-bit Windows from a 32-bit caller: the DLL must be in the native system
// directory, the environment none or the native one, the level 2.
TEST(SpoolerMonitors, TheDllMustBeNativeAndTheEnvironmentTooOrNone) {
    struct Case {
        const char* what;
        const char* dllAt;  // where the DLL is put first; nullptr: nowhere
        const char* environment;
        std::uint32_t level;
        std::uint32_t error;
    };
    const Case cases[] = {
        {"no DLL", nullptr, nullptr, 2, ERROR_MOD_NOT_FOUND},
        // The 32-bit system directory is not where the native spooler looks.
        {"DLL in SysWOW64", "C:\\Windows\\SysWOW64\\VTXCOMM.DLL", nullptr, 2, ERROR_MOD_NOT_FOUND},
        {"32-bit environment", "C:\\Windows\\System32\\VTXCOMM.DLL", "Windows NT x86", 2,
         ERROR_INVALID_ENVIRONMENT},
        {"level 1", "C:\\Windows\\System32\\VTXCOMM.DLL", nullptr, 1, ERROR_INVALID_LEVEL},
        {"native environment", "C:\\Windows\\System32\\VTXCOMM.DLL", "windows x64", 2, 0},
        {"no environment", "C:\\Windows\\System32\\VTXCOMM.DLL", nullptr, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempMachine m("windows-7-x64");
        Caller caller(m, 32);
        if (c.dllAt) caller.Put(c.dllAt);
        char name[] = "VTX Serial Monitor", dll[] = "VTXCOMM.DLL";
        plat::MONITOR_INFO_2A info{name, const_cast<char*>(c.environment), dll};
        EXPECT_EQ(caller.Result(caller.setup().AddMonitorA(c.level, info)), c.error);
        bool found = false;
        for (const sim::SimMonitor& monitor : sim::PrintProvider(m.machine()).Monitors())
            if (monitor.name == "VTX Serial Monitor") found = monitor.dll == "VTXCOMM.DLL";
        EXPECT_EQ(found, c.error == 0);
        if (c.error == 0) {
            EXPECT_EQ(caller.Result(caller.setup().AddMonitorA(c.level, info)),
                      std::uint32_t(ERROR_PRINT_MONITOR_ALREADY_INSTALLED));
        }
    }
}

TEST(SpoolerProcessors, TheDllMustBeInTheCallersProcessorDirectory) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 32);
    EXPECT_EQ(caller.Result(caller.setup().AddPrintProcessorA(nullptr, "VTXPROC.DLL", "VtxPrint")),
              std::uint32_t(ERROR_MOD_NOT_FOUND));
    caller.Put("C:\\Windows\\System32\\spool\\prtprocs\\w32x86\\VTXPROC.DLL");
    EXPECT_EQ(caller.Result(caller.setup().AddPrintProcessorA(nullptr, "VTXPROC.DLL", "VtxPrint")), 0u);
    EXPECT_EQ(caller.Result(caller.setup().AddPrintProcessorA(nullptr, "VTXPROC.DLL", "vtxprint")),
              std::uint32_t(ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED));
    sim::PrintProvider provider(m.machine());
    EXPECT_TRUE(provider.HasProcessor("Windows NT x86", "VtxPrint"));
    EXPECT_FALSE(provider.HasProcessor("Windows x64", "VtxPrint"));
    // A printer needs it in the native environment.
    caller.StageDriverFiles("C:\\Windows\\System32\\spool\\drivers\\x64");
    ASSERT_EQ(caller.AddDriver("Windows x64", 3), 0u);
    EXPECT_EQ(caller.AddPrinter("P", "LPT1:", "VTX 80 Receipt", "VtxPrint"),
              std::uint32_t(ERROR_UNKNOWN_PRINTPROCESSOR));
    caller.Put("C:\\Windows\\System32\\spool\\prtprocs\\x64\\VTXPROC.DLL");
    EXPECT_EQ(caller.Result(caller.setup().AddPrintProcessorA("Windows x64", "VTXPROC.DLL", "VtxPrint")), 0u);
    EXPECT_EQ(caller.AddPrinter("P", "LPT1:", "VTX 80 Receipt", "VtxPrint"), 0u);
}

// ---- Ports ----

TEST(SpoolerPorts, ANewMachineOffersItsLocalPorts) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 32);
    std::vector<std::string> ports = caller.Ports();
    std::sort(ports.begin(), ports.end());
    EXPECT_EQ(ports, (std::vector<std::string>{"COM1:", "COM2:", "COM3:", "COM4:", "FILE:",
                                               "LPT1:", "LPT2:", "LPT3:"}));
}

TEST(SpoolerPorts, TheBufferHoldsTheRecordsThenTheirNames) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    std::uint32_t needed = 0, returned = 7;
    EXPECT_FALSE(caller.setup().EnumPortsA(1, nullptr, 0, needed, returned));
    EXPECT_EQ(caller.Last(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(returned, 0u);
    // Eight records, then four names of 6 bytes ("COMn:" and its zero), three of 6 ("LPTn:"),
    // one of 6 ("FILE:").
    EXPECT_EQ(needed, 8 * sizeof(plat::PORT_INFO_1A) + 8 * 6);
    std::vector<std::uint8_t> buffer(needed + 16, 0xEE);
    EXPECT_FALSE(caller.setup().EnumPortsA(1, buffer.data(), needed - 1, needed, returned));
    EXPECT_EQ(buffer[0], 0xEE);
    ASSERT_TRUE(caller.setup().EnumPortsA(1, buffer.data(), needed, needed, returned));
    EXPECT_EQ(returned, 8u);
    EXPECT_EQ(buffer[needed], 0xEE) << "nothing written past the size";
    for (std::uint32_t i = 0; i < returned; ++i) {
        plat::PORT_INFO_1A port;
        std::memcpy(&port, buffer.data() + i * sizeof port, sizeof port);
        const auto* at = reinterpret_cast<const std::uint8_t*>(port.pName);
        EXPECT_GE(at, buffer.data() + 8 * sizeof port);
        EXPECT_LT(at, buffer.data() + needed);
    }
    EXPECT_FALSE(caller.setup().EnumPortsA(2, buffer.data(), needed, needed, returned));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_LEVEL);
}

TEST(SpoolerPorts, AMonitorsStandInFileNamesItsPortsUntilItIsGone) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    caller.Put("C:\\Windows\\System32\\VTXUSBM.DLL",
               "Placeholder\r\nsim-ports-from-registry: HKLM\\SOFTWARE\\VORTANE\\PORTNAME\r\n"
               "sim-port: USB_SPARE\r\n");
    char name[] = "VTX USB Monitor", dll[] = "VTXUSBM.DLL";
    ASSERT_EQ(caller.Result(caller.setup().AddMonitorA(2, {name, nullptr, dll})), 0u);
    EXPECT_TRUE(caller.Lists("USB_SPARE"));
    EXPECT_FALSE(caller.Lists("USB_VTX80_1"));
    auto& reg = caller.p->registry();
    ASSERT_EQ(reg.CreateKey(plat::RegRoot::LocalMachine, "SOFTWARE\\VORTANE\\PORTNAME",
                            plat::RegView::Default),
              ERROR_SUCCESS);
    const std::vector<std::uint8_t> one = {1, 0, 0, 0};
    ASSERT_EQ(reg.SetValue(plat::RegRoot::LocalMachine, "SOFTWARE\\VORTANE\\PORTNAME",
                           "USB_VTX80_1", REG_DWORD, one, plat::RegView::Default),
              ERROR_SUCCESS);
    EXPECT_TRUE(caller.Lists("USB_VTX80_1"));
    EXPECT_TRUE(caller.Lists("LPT1:"));
    std::filesystem::remove(m.machine().HostPath("C:\\Windows\\System32\\VTXUSBM.DLL"));
    EXPECT_FALSE(caller.Lists("USB_VTX80_1"));
    EXPECT_FALSE(caller.Lists("USB_SPARE"));
}

TEST(SpoolerPorts, TheExamplePackagesSerialMonitorOffersEightPorts) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    caller.Put("C:\\Windows\\System32\\VTXCOMM.DLL",
               ReadHostFile(std::filesystem::path(PKG_SOURCE_DIR) / "examples/package/W64/VTXCOMM.DLL"));
    char name[] = "VTX Serial Monitor", dll[] = "VTXCOMM.DLL";
    ASSERT_EQ(caller.Result(caller.setup().AddMonitorA(2, {name, nullptr, dll})), 0u);
    for (const char* port : {"ZKCOM1:", "ZKCOM8:"}) EXPECT_TRUE(caller.Lists(port)) << port;
    EXPECT_FALSE(caller.Lists("ZKCOM9:"));
    EXPECT_EQ(caller.Ports().size(), 8u + 8u);
}

TEST(SpoolerPorts, StandardTcpIpPortsAreTheMonitorsPortsSubkeys) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 64);
    auto& reg = caller.p->registry();
    ASSERT_EQ(reg.CreateKey(plat::RegRoot::LocalMachine,
                            "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\"
                            "Standard TCP/IP Port\\Ports\\IP_192.168.1.87",
                            plat::RegView::Default),
              ERROR_SUCCESS);
    EXPECT_TRUE(caller.Lists("IP_192.168.1.87"));
}

// ---- Printers ----

struct SpoolerPrinters : testing::Test {
    void SetUp() override {
        caller.StageDriverFiles("C:\\Windows\\System32\\spool\\drivers\\x64");
        ASSERT_EQ(caller.AddDriver("Windows x64", 3), 0u);
    }
    TempMachine m{"windows-7-x64"};
    Caller caller{m, 32};
};

TEST_F(SpoolerPrinters, NamesPortsAndDuplicatesAreChecked) {
    EXPECT_EQ(caller.AddPrinter(""), std::uint32_t(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(caller.AddPrinter("Front\\Desk"), std::uint32_t(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(caller.AddPrinter("Front,Desk"), std::uint32_t(ERROR_INVALID_PRINTER_NAME));
    EXPECT_EQ(caller.AddPrinter("Front Desk", "COM9:"), std::uint32_t(ERROR_UNKNOWN_PORT));
    EXPECT_EQ(caller.AddPrinter("Front Desk", "lpt1:"), 0u);  // ports compare without case
    EXPECT_EQ(caller.AddPrinter("FRONT DESK"), std::uint32_t(ERROR_PRINTER_ALREADY_EXISTS));
    EXPECT_EQ(caller.AddPrinter("Front Desk(1)"), 0u);
    plat::PRINTER_INFO_2A info{};
    plat::PrinterHandle handle = 0;
    EXPECT_FALSE(caller.setup().AddPrinterA(1, info, handle));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_LEVEL);
}

TEST_F(SpoolerPrinters, GetPrinterLaysOutTheRecordAndItsTexts) {
    ASSERT_EQ(caller.AddPrinter("Front Desk", "COM2:"), 0u);
    plat::PrinterHandle handle = 0;
    ASSERT_TRUE(caller.setup().OpenPrinterA("front desk", handle));
    std::uint32_t needed = 0;
    EXPECT_FALSE(caller.setup().GetPrinterA(handle, 2, nullptr, 0, needed));
    EXPECT_EQ(caller.Last(), ERROR_INSUFFICIENT_BUFFER);
    // "Front Desk" 11, "COM2:" 6, "VTX 80 Receipt" 15, "winprint" 9, "RAW" 4, and four
    // empty texts (comment, location, separator file, parameters) of 1.
    EXPECT_EQ(needed, sizeof(plat::PRINTER_INFO_2A) + 11 + 6 + 15 + 9 + 4 + 4);
    std::vector<std::uint8_t> buffer(needed);
    EXPECT_FALSE(caller.setup().GetPrinterA(handle, 2, buffer.data(), needed - 1, needed));
    ASSERT_TRUE(caller.setup().GetPrinterA(handle, 2, buffer.data(), needed, needed));
    plat::PRINTER_INFO_2A info;
    std::memcpy(&info, buffer.data(), sizeof info);
    EXPECT_STREQ(info.pPrinterName, "Front Desk");
    EXPECT_STREQ(info.pPortName, "COM2:");
    EXPECT_STREQ(info.pDriverName, "VTX 80 Receipt");
    EXPECT_STREQ(info.pPrintProcessor, "winprint");
    EXPECT_STREQ(info.pDatatype, "RAW");
    EXPECT_EQ(info.Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
    plat::PrinterHandle none = 0;
    EXPECT_FALSE(caller.setup().OpenPrinterA("Back Office", none));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_PRINTER_NAME);
}

TEST_F(SpoolerPrinters, SetDefaultPrinterWritesWinIniAndGetPrinterReportsIt) {
    ASSERT_EQ(caller.AddPrinter("Front Desk", "COM2:"), 0u);
    EXPECT_FALSE(caller.setup().SetDefaultPrinterA("Back Office"));
    EXPECT_EQ(caller.Last(), ERROR_INVALID_PRINTER_NAME);
    ASSERT_TRUE(caller.setup().SetDefaultPrinterA("FRONT DESK"));
    char device[100] = {};
    caller.p->profile().GetProfileStringA("windows", "device", "", device, sizeof device);
    EXPECT_STREQ(device, "Front Desk,winspool,COM2:");
    plat::PrinterHandle handle = 0;
    ASSERT_TRUE(caller.setup().OpenPrinterA("Front Desk", handle));
    std::vector<std::uint8_t> buffer(1024);
    std::uint32_t needed = 0;
    ASSERT_TRUE(caller.setup().GetPrinterA(handle, 2, buffer.data(), 1024, needed));
    plat::PRINTER_INFO_2A info;
    std::memcpy(&info, buffer.data(), sizeof info);
    EXPECT_NE(info.Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
}

TEST(SpoolerDefaultPrinter, SetDefaultPrinterDoesNotExistBeforeWindows2000) {
    TempMachine m("nt4-x86");
    Caller caller(m, 32);
    EXPECT_FALSE(caller.setup().SetDefaultPrinterA("Anything"));
    EXPECT_EQ(caller.Last(), ERROR_PROC_NOT_FOUND);
}

TEST(SpoolerDefaultPrinter, On9xTheDefaultAttributeMakesTheDefault) {
    TempMachine m("windows-98");
    Caller caller(m, 32);
    caller.StageDriverFiles("C:\\WINDOWS\\System32");
    ASSERT_EQ(caller.AddDriver(nullptr, 0), 0u);
    EXPECT_TRUE(caller.Exists("C:\\WINDOWS\\System32\\UNIDRV.DLL")) << "9x keeps drivers in place";
    ASSERT_EQ(caller.AddPrinter("Counter", "LPT1:"), 0u);
    plat::PrinterHandle handle = 0;
    ASSERT_TRUE(caller.setup().OpenPrinterA("Counter", handle));
    std::vector<std::uint8_t> buffer(1024);
    std::uint32_t needed = 0;
    ASSERT_TRUE(caller.setup().GetPrinterA(handle, 2, buffer.data(), 1024, needed));
    auto* info = reinterpret_cast<plat::PRINTER_INFO_2A*>(buffer.data());
    info->Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    ASSERT_TRUE(caller.setup().SetPrinterA(handle, 2, info, 0));
    char device[100] = {};
    caller.p->profile().GetProfileStringA("windows", "device", "", device, sizeof device);
    EXPECT_STREQ(device, "Counter,winspool,LPT1:");
}

// ---- The spooler service ----

TEST(SpoolerStopped, EveryCallFailsWhileTheServiceIsStopped) {
    TempMachine m("windows-7-x64");
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(m.machine(), "P", "LPT1:", error)) << error;
    Caller caller(m, 32);
    plat::PrinterHandle handle = 0;
    ASSERT_TRUE(caller.setup().OpenPrinterA("P", handle));
    WriteHostFile(m.machine().stateDir() / "services.txt", "Spooler stopped\n");
    EXPECT_EQ(caller.Directory(nullptr), "error 1722");
    plat::PrinterHandle other = 0;
    EXPECT_FALSE(caller.setup().OpenPrinterA("P", other));
    EXPECT_EQ(caller.Last(), RPC_S_SERVER_UNAVAILABLE);
    EXPECT_FALSE(caller.p->rawPrinting().OpenPrinterW(u"P", other));
    EXPECT_EQ(caller.Last(), RPC_S_SERVER_UNAVAILABLE);
    EXPECT_EQ(caller.p->rawPrinting().StartDocPrinterW(handle, {u"d", u"", u"RAW"}), 0u);
    EXPECT_EQ(caller.Last(), RPC_S_SERVER_UNAVAILABLE);
    std::uint32_t needed = 0, returned = 0;
    EXPECT_FALSE(caller.setup().EnumPortsA(1, nullptr, 0, needed, returned));
    EXPECT_EQ(caller.Last(), RPC_S_SERVER_UNAVAILABLE);
    WriteHostFile(m.machine().stateDir() / "services.txt", "Spooler running\n");
    EXPECT_TRUE(caller.setup().OpenPrinterA("P", other));
}

TEST(SpoolerBroadcast, TheWinIniBroadcastIsATranscriptLine) {
    TempMachine m("windows-7-x64");
    Caller caller(m, 32);
    EXPECT_TRUE(caller.p->desktop().BroadcastWinIniChange("windows", 1000));
    EXPECT_TRUE(caller.p->desktop().BroadcastWinIniChange(nullptr, 1000));
    const std::string transcript = ReadHostFile(m.machine().transcriptFile());
    EXPECT_NE(transcript.find("win.ini section [windows] changed"), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("win.ini settings changed"), std::string::npos) << transcript;
}

}  // namespace
