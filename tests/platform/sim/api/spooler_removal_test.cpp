// The simulated spooler's enumerations and deletions: buffers sized then filled, cJobs, and
// each deletion's success and refusals (in use, unknown, no right, stopped spooler, fault).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/host_files.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;
using testsupport::WriteHostFile;

constexpr const char* kSystem = "C:\\Windows\\System32";
constexpr const char* kX64Drivers = "C:\\Windows\\System32\\spool\\drivers\\x64";

// A 64-bit program on 64-bit Windows 7 (its own environment is the native "Windows x64") on a
// machine with a vendor monitor offering RCPT1:, a vendor print processor, the driver
// "Receipt 80" and the printer "Counter" using all three.
struct Removal {
    explicit Removal(const char* preset = "windows-7-x64") : m(preset), p(m.Process(64)) {}

    plat::PrinterSetup& setup() { return p->printerSetup(); }
    std::uint32_t Result(bool ok) { return ok ? 0 : p->lastError().GetLastError(); }
    void Put(const std::string& windowsPath, const std::string& text = "stand-in\r\n") {
        WriteHostFile(m.machine().HostPath(windowsPath), text);
    }
    bool Exists(const std::string& windowsPath) {
        return std::filesystem::exists(m.machine().HostPath(windowsPath));
    }
    std::uint32_t AddDriver(const char* name, const char* data, const char* dependents) {
        for (const char* file : {"UNIDRV.DLL", data, "UNIDRVUI.DLL"})
            Put(std::string(kX64Drivers) + "\\" + file);
        for (const char* d = dependents; d && *d; d += std::strlen(d) + 1)
            Put(std::string(kX64Drivers) + "\\" + d);
        plat::DRIVER_INFO_3A info{};
        info.cVersion = 3;
        info.pName = const_cast<char*>(name);
        info.pDriverPath = const_cast<char*>("UNIDRV.DLL");
        info.pDataFile = const_cast<char*>(data);
        info.pConfigFile = const_cast<char*>("UNIDRVUI.DLL");
        info.pDependentFiles = const_cast<char*>(dependents);
        return Result(setup().AddPrinterDriverA(3, info));
    }
    std::uint32_t AddPrinter(const char* name, const char* port) {
        plat::PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(name);
        info.pPortName = const_cast<char*>(port);
        info.pDriverName = const_cast<char*>("Receipt 80");
        info.pPrintProcessor = const_cast<char*>("RcptProc");
        plat::PrinterHandle h = 0;
        const std::uint32_t result = Result(setup().AddPrinterA(2, info, h));
        if (h) setup().ClosePrinter(h);
        return result;
    }
    // The vendor's monitor, processor, driver and the printer Counter on RCPT1:.
    void Install() {
        Put(std::string(kSystem) + "\\rcptmon.dll", "sim-port: RCPT1:\r\n");
        plat::MONITOR_INFO_2A monitor{const_cast<char*>("Receipt Port"), nullptr,
                                      const_cast<char*>("rcptmon.dll")};
        ASSERT_EQ(Result(setup().AddMonitorA(2, monitor)), 0u);
        Put(std::string(kSystem) + "\\spool\\prtprocs\\x64\\rcptproc.dll");
        ASSERT_EQ(Result(setup().AddPrintProcessorA(nullptr, "rcptproc.dll", "RcptProc")), 0u);
        ASSERT_EQ(AddDriver("Receipt 80", "RCPT80.GPD", "RCPTRES.DLL\0"), 0u);
        ASSERT_EQ(AddPrinter("Counter", "RCPT1:"), 0u);
    }
    // Opens the printer with the access asked for (0: OpenPrinterA without defaults).
    plat::PrinterHandle Open(const char* name, std::uint32_t access) {
        plat::PrinterHandle h = 0;
        plat::PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
        error = Result(access ? setup().OpenPrinterA(name, h, &defaults) : setup().OpenPrinterA(name, h));
        return h;
    }
    std::uint32_t DeletePrinter(const char* name) {
        const plat::PrinterHandle h = Open(name, PRINTER_ALL_ACCESS);
        if (!h) return error;
        const std::uint32_t result = Result(setup().DeletePrinter(h));
        setup().ClosePrinter(h);
        return result;
    }
    // Every name an enumeration of single-name records gives, after checking that one byte
    // less than it asks for is refused; "error N" when the sizing call fails otherwise.
    template <typename Call>
    std::vector<std::string> Names(Call call) {
        std::uint32_t needed = 0, returned = 7;
        if (call(nullptr, 0, needed, returned)) return {"sized without a buffer"};
        if (Result(false) != ERROR_INSUFFICIENT_BUFFER) return {"error " + std::to_string(Result(false))};
        EXPECT_EQ(returned, 0u);
        std::vector<std::uint8_t> buffer(needed + 1);
        EXPECT_FALSE(call(buffer.data() + 1, needed - 1, needed, returned));
        EXPECT_EQ(Result(false), ERROR_INSUFFICIENT_BUFFER);
        // Unaligned on purpose: records go in with memcpy.
        if (!call(buffer.data() + 1, needed, needed, returned)) return {"error after sizing"};
        std::vector<std::string> names;
        for (std::uint32_t i = 0; i < returned; ++i) {
            char* name = nullptr;
            std::memcpy(&name, buffer.data() + 1 + i * sizeof(char*), sizeof name);
            names.emplace_back(name);
        }
        return names;
    }
    std::vector<std::string> Monitors() {
        return Names([&](std::uint8_t* b, std::uint32_t s, std::uint32_t& n, std::uint32_t& r) {
            return setup().EnumMonitorsA(1, b, s, n, r);
        });
    }
    std::vector<std::string> Processors(const char* environment) {
        return Names([&](std::uint8_t* b, std::uint32_t s, std::uint32_t& n, std::uint32_t& r) {
            return setup().EnumPrintProcessorsA(environment, 1, b, s, n, r);
        });
    }
    // EnumPrintersA level 2, each record copied out with its texts still in `printers_`,
    // after checking that one byte less than it asks for is refused.
    std::vector<plat::PRINTER_INFO_2A> Printers2() {
        std::uint32_t needed = 0, returned = 0;
        // With no printers the sizing call succeeds: there is nothing to put in a buffer.
        if (setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 2, nullptr, 0, needed, returned)) {
            EXPECT_EQ(needed, 0u);
            EXPECT_EQ(returned, 0u);
            return {};
        }
        printers_.assign(needed, 0);
        EXPECT_FALSE(setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 2, printers_.data(), needed - 1,
                                           needed, returned));
        EXPECT_TRUE(setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 2, printers_.data(), needed, needed,
                                          returned));
        std::vector<plat::PRINTER_INFO_2A> out(returned);
        std::memcpy(out.data(), printers_.data(), returned * sizeof(plat::PRINTER_INFO_2A));
        return out;
    }

    TempMachine m;
    std::unique_ptr<sim::SimPlatform> p;
    std::uint32_t error = 0;
    std::vector<std::uint8_t> printers_;
};

using Names = std::vector<std::string>;

// ---- Enumerations ----

TEST(SpoolerEnumerations, MonitorsAndProcessorsOfEachEnvironment) {
    Removal r;
    r.Install();
    EXPECT_EQ(r.Monitors(), (Names{"Local Port", "Receipt Port", "Standard TCP/IP Port", "USB Monitor"}));
    struct Case {
        const char* environment;
        Names expected;
    };
    const Case cases[] = {
        {nullptr, {"RcptProc", "winprint"}},  // a 64-bit caller's own: Windows x64
        {"windows x64", {"RcptProc", "winprint"}},
        {"Windows NT x86", {"winprint"}},
        {"Windows 4.0", {"error 1805"}},  // gone after 5.2
        {"Windows IA64", {"error 1805"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.environment ? c.environment : "(null)");
        EXPECT_EQ(r.Processors(c.environment), c.expected);
    }
    // A 32-bit program's own environment is Windows NT x86 also on 64-bit Windows.
    auto p32 = r.m.Process(32);
    std::uint32_t needed = 0, returned = 0;
    std::vector<std::uint8_t> buffer(256);
    ASSERT_TRUE(p32->printerSetup().EnumPrintProcessorsA(nullptr, 1, buffer.data(), 256, needed, returned));
    EXPECT_EQ(returned, 1u);
    EXPECT_EQ(r.Result(r.setup().EnumMonitorsA(2, buffer.data(), 256, needed, returned)), ERROR_INVALID_LEVEL);
}

// Level 2 is what GetPrinterA fills, cJobs counting the jobs that are not completed; level 5
// names, ports and the default printer's attribute.
TEST(SpoolerEnumerations, PrintersAtLevel2And5WithQueuedJobsAndTheDefault) {
    Removal r;
    r.Install();
    ASSERT_EQ(r.AddPrinter("Bar", "LPT1:"), 0u);
    ASSERT_TRUE(r.setup().SetDefaultPrinterA("Counter"));
    const sim::PrintProvider provider(r.m.machine());
    sim::SimJob job;
    job.printer = "COUNTER";
    ASSERT_NE(provider.StartJob(job), 0u);  // queued
    ASSERT_NE(provider.StartJob(job), 0u);  // queued
    job.completed = true;
    ASSERT_NE(provider.StartJob(job), 0u);  // printed: not counted

    const auto printers = r.Printers2();
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_STREQ(printers[0].pPrinterName, "Bar");
    EXPECT_EQ(printers[0].cJobs, 0u);
    EXPECT_EQ(printers[0].Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
    EXPECT_STREQ(printers[1].pPrinterName, "Counter");
    EXPECT_STREQ(printers[1].pPortName, "RCPT1:");
    EXPECT_STREQ(printers[1].pDriverName, "Receipt 80");
    EXPECT_STREQ(printers[1].pPrintProcessor, "RcptProc");
    EXPECT_EQ(printers[1].cJobs, 2u);
    EXPECT_NE(printers[1].Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);

    const plat::PrinterHandle h = r.Open("Counter", 0);
    std::vector<std::uint8_t> one(1024);
    std::uint32_t needed = 0, returned = 0;
    ASSERT_TRUE(r.setup().GetPrinterA(h, 2, one.data(), 1024, needed));
    plat::PRINTER_INFO_2A got;
    std::memcpy(&got, one.data(), sizeof got);
    EXPECT_EQ(got.cJobs, 2u);

    std::vector<std::uint8_t> five(1024);
    EXPECT_FALSE(r.setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 5, five.data(), 10, needed, returned));
    // Two records and "Bar", "LPT1:", "Counter", "RCPT1:" with terminators (4+6+8+7 bytes).
    EXPECT_EQ(needed, 2 * sizeof(plat::PRINTER_INFO_5A) + 25);
    ASSERT_TRUE(r.setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 5, five.data(), needed, needed, returned));
    ASSERT_EQ(returned, 2u);
    plat::PRINTER_INFO_5A fifth[2];
    std::memcpy(fifth, five.data(), sizeof fifth);
    EXPECT_STREQ(fifth[1].pPrinterName, "Counter");
    EXPECT_STREQ(fifth[1].pPortName, "RCPT1:");
    EXPECT_NE(fifth[1].Attributes & PRINTER_ATTRIBUTE_DEFAULT, 0u);
    EXPECT_EQ(r.Result(r.setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 1, five.data(), 1024, needed, returned)),
              ERROR_INVALID_LEVEL);
}

// ---- Deletions ----

// Only a handle with the DELETE right (PRINTER_ALL_ACCESS) deletes; the default printer's
// device line goes with it.
TEST(SpoolerDeletions, DeletePrinterNeedsAllAccessAndForgetsTheDefault) {
    Removal r;
    r.Install();
    ASSERT_TRUE(r.setup().SetDefaultPrinterA("Counter"));
    struct Case {
        std::uint32_t access;  // 0: opened without defaults
        std::uint32_t error;
    };
    const Case cases[] = {{0, ERROR_ACCESS_DENIED},
                          {PRINTER_ACCESS_USE, ERROR_ACCESS_DENIED},
                          {PRINTER_ACCESS_ADMINISTER | PRINTER_ACCESS_USE, ERROR_ACCESS_DENIED},
                          {PRINTER_ALL_ACCESS, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.access);
        const plat::PrinterHandle h = r.Open("counter", c.access);
        ASSERT_NE(h, 0u);
        EXPECT_EQ(r.Result(r.setup().DeletePrinter(h)), c.error);
        // The handle stays usable until it is closed, on a printer that may be gone.
        EXPECT_TRUE(r.setup().ClosePrinter(h));
    }
    EXPECT_TRUE(r.Printers2().empty());
    char device[100] = "unchanged";
    r.p->profile().GetProfileStringA("windows", "device", "none", device, sizeof device);
    EXPECT_STREQ(device, "none");
    EXPECT_EQ(r.DeletePrinter("Counter"), ERROR_INVALID_PRINTER_NAME);
}

TEST(SpoolerDeletions, AUserWhoIsNotAnAdministratorCannotOpenAPrinterToDeleteIt) {
    TempMachine m("windows-7-x64");
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(m.machine(), "Plain", "LPT1:", error)) << error;
    sim::MachineSettings settings = m.machine().settings();
    ASSERT_TRUE(sim::SetSetting(settings, "admin", "0", error)) << error;
    ASSERT_TRUE(m.machine().SaveSettings(settings, error)) << error;
    auto p = m.Process(64);
    plat::PrinterHandle h = 0;
    plat::PRINTER_DEFAULTSA all{nullptr, nullptr, PRINTER_ALL_ACCESS};
    EXPECT_FALSE(p->printerSetup().OpenPrinterA("Plain", h, &all));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(h, 0u);
    plat::PRINTER_DEFAULTSA use{nullptr, nullptr, PRINTER_ACCESS_USE};
    EXPECT_TRUE(p->printerSetup().OpenPrinterA("Plain", h, &use));
}

// Monitors, print processors and drivers are refused while the printer uses them, and go
// once it is deleted; their DLLs and files stay for the uninstaller.
TEST(SpoolerDeletions, InUseUnknownAndDeletedOnceThePrinterIsGone) {
    Removal r;
    r.Install();
    auto monitor = [&](const char* name) { return r.Result(r.setup().DeleteMonitorA(nullptr, name)); };
    auto processor = [&](const char* env, const char* name) {
        return r.Result(r.setup().DeletePrintProcessorA(env, name));
    };
    auto driver = [&](const char* env, const char* name) {
        return r.Result(r.setup().DeletePrinterDriverA(nullptr, env, name));
    };
    EXPECT_EQ(monitor("Receipt Port"), ERROR_PRINT_MONITOR_IN_USE);
    EXPECT_EQ(monitor("No Such Port"), ERROR_UNKNOWN_PRINT_MONITOR);
    EXPECT_EQ(monitor("USB Monitor"), ERROR_ACCESS_DENIED);  // built in, unused: kept
    EXPECT_EQ(processor(nullptr, "RcptProc"), ERROR_CAN_NOT_COMPLETE);
    EXPECT_EQ(processor(nullptr, "NoProc"), ERROR_UNKNOWN_PRINTPROCESSOR);
    EXPECT_EQ(processor("Windows NT x86", "RcptProc"), ERROR_UNKNOWN_PRINTPROCESSOR);
    EXPECT_EQ(processor("Windows IA64", "RcptProc"), ERROR_INVALID_ENVIRONMENT);
    EXPECT_EQ(driver(nullptr, "Receipt 80"), ERROR_PRINTER_DRIVER_IN_USE);
    EXPECT_EQ(driver(nullptr, "Receipt 58"), ERROR_UNKNOWN_PRINTER_DRIVER);
    EXPECT_EQ(driver("Windows NT x86", "Receipt 80"), ERROR_UNKNOWN_PRINTER_DRIVER);
    // winprint of the other environment is used by no printer (printers use the native one).
    EXPECT_EQ(processor("Windows NT x86", "winprint"), 0u);

    ASSERT_EQ(r.DeletePrinter("Counter"), 0u);
    EXPECT_EQ(monitor("receipt port"), 0u);
    EXPECT_EQ(processor("Windows x64", "RcptProc"), 0u);
    EXPECT_EQ(driver(nullptr, "Receipt 80"), 0u);
    EXPECT_EQ(r.Monitors(), (Names{"Local Port", "Standard TCP/IP Port", "USB Monitor"}));
    EXPECT_EQ(r.Processors(nullptr), (Names{"winprint"}));
    EXPECT_EQ(monitor("Receipt Port"), ERROR_UNKNOWN_PRINT_MONITOR);
    EXPECT_EQ(driver(nullptr, "Receipt 80"), ERROR_UNKNOWN_PRINTER_DRIVER);
    EXPECT_TRUE(r.Exists(std::string(kSystem) + "\\rcptmon.dll"));
    EXPECT_TRUE(r.Exists(std::string(kSystem) + "\\spool\\prtprocs\\x64\\rcptproc.dll"));
    EXPECT_TRUE(r.Exists(std::string(kX64Drivers) + "\\3\\RCPT80.GPD"));
    // The driver's key went: a printer can no longer be added on it.
    EXPECT_EQ(r.AddPrinter("Again", "LPT1:"), ERROR_UNKNOWN_PRINTER_DRIVER);
}

// DPD_DELETE_UNUSED_FILES deletes the driver's files except those another driver names.
TEST(SpoolerDeletions, DeletePrinterDriverExKeepsFilesAnotherDriverNames) {
    Removal r;
    ASSERT_EQ(r.AddDriver("Receipt 80", "RCPT80.GPD", "RCPTRES.DLL\0SHARED.INI\0"), 0u);
    ASSERT_EQ(r.AddDriver("Label 4", "LABEL4.GPD", "SHARED.INI\0"), 0u);
    ASSERT_TRUE(r.setup().DeletePrinterDriverExA(nullptr, nullptr, "Receipt 80",
                                                 DPD_DELETE_UNUSED_FILES, 0));
    const std::string v3 = std::string(kX64Drivers) + "\\3\\";
    EXPECT_FALSE(r.Exists(v3 + "RCPT80.GPD"));
    EXPECT_FALSE(r.Exists(v3 + "RCPTRES.DLL"));
    for (const char* kept : {"SHARED.INI", "UNIDRV.DLL", "UNIDRVUI.DLL", "LABEL4.GPD"})
        EXPECT_TRUE(r.Exists(v3 + kept)) << kept;
    // Without the flag the files stay; once no driver names them the flag takes them all.
    ASSERT_TRUE(r.setup().DeletePrinterDriverExA(nullptr, "Windows x64", "Label 4", 0, 0));
    EXPECT_TRUE(r.Exists(v3 + "LABEL4.GPD"));
    EXPECT_EQ(r.Result(r.setup().DeletePrinterDriverExA(nullptr, nullptr, "Label 4",
                                                        DPD_DELETE_UNUSED_FILES, 0)),
              ERROR_UNKNOWN_PRINTER_DRIVER);
}

// Before Windows 2000 winspool has no DeletePrinterDriverExA; DeletePrinterDriverA works.
TEST(SpoolerDeletions, DeletePrinterDriverExDoesNotExistBeforeWindows2000) {
    for (const char* preset : {"windows-95", "nt4-x86"}) {
        SCOPED_TRACE(preset);
        TempMachine m(preset);
        auto p = m.Process(32);
        EXPECT_FALSE(p->printerSetup().DeletePrinterDriverExA(nullptr, nullptr, "X", 0, 0));
        EXPECT_EQ(p->lastError().GetLastError(), ERROR_PROC_NOT_FOUND);
        EXPECT_FALSE(p->printerSetup().DeletePrinterDriverA(nullptr, nullptr, "X"));
        EXPECT_EQ(p->lastError().GetLastError(), ERROR_UNKNOWN_PRINTER_DRIVER);
    }
}

// A stopped spooler answers nothing; a fault on one target leaves the others alone.
TEST(SpoolerDeletions, StoppedSpoolerAndFaultsFailEveryCall) {
    Removal r;
    r.Install();
    const plat::PrinterHandle h = r.Open("Counter", PRINTER_ALL_ACCESS);
    ASSERT_NE(h, 0u);
    std::uint8_t buffer[512];
    std::uint32_t needed = 0, returned = 0;
    struct Call {
        const char* name;
        std::function<bool()> run;
    };
    const std::vector<Call> calls = {
        {"EnumPrintersA", [&] { return r.setup().EnumPrintersA(PRINTER_ENUM_LOCAL, 2, buffer, 512, needed, returned); }},
        {"EnumMonitorsA", [&] { return r.setup().EnumMonitorsA(1, buffer, 512, needed, returned); }},
        {"EnumPrintProcessorsA", [&] { return r.setup().EnumPrintProcessorsA(nullptr, 1, buffer, 512, needed, returned); }},
        {"DeletePrinter", [&] { return r.setup().DeletePrinter(h); }},
        {"DeleteMonitorA", [&] { return r.setup().DeleteMonitorA(nullptr, "Receipt Port"); }},
        {"DeletePrintProcessorA", [&] { return r.setup().DeletePrintProcessorA(nullptr, "RcptProc"); }},
        {"DeletePrinterDriverA", [&] { return r.setup().DeletePrinterDriverA(nullptr, nullptr, "Receipt 80"); }},
        {"DeletePrinterDriverExA", [&] { return r.setup().DeletePrinterDriverExA(nullptr, nullptr, "Receipt 80", 0, 0); }},
    };
    WriteHostFile(r.m.machine().stateDir() / "services.txt", "Spooler stopped\n");
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r.Result(c.run()), RPC_S_SERVER_UNAVAILABLE);
    }
    WriteHostFile(r.m.machine().stateDir() / "services.txt", "Spooler running\n");
    std::string error;
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim::AddFault(r.m.machine(), {c.name, 4321, 1, {}}, error)) << error;
        EXPECT_EQ(r.Result(c.run()), 4321u);
    }
    // Aimed at another monitor, the fault lets this one's refusal through.
    ASSERT_TRUE(sim::AddFault(r.m.machine(), {"DeleteMonitorA", 4321, 0, "Other Port"}, error));
    EXPECT_EQ(r.Result(r.setup().DeleteMonitorA(nullptr, "Receipt Port")), ERROR_PRINT_MONITOR_IN_USE);
    EXPECT_EQ(r.Result(r.setup().DeleteMonitorA(nullptr, "other port")), 4321u);
}

}  // namespace
