// Tests of injected call faults: one machine-wide list by Win32 call name, with an optional
// target, that every stand-in asks the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>

#include "platform/sim/api/call_faults.h"
#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/win_constants.h"
#include "tests/support/host_files.h"
#include "tests/support/temp_machine.h"

extern const unsigned char kVersionedDll[];
extern const unsigned kVersionedDll_size;

namespace {

using plat::RegRoot;
using plat::RegView;
using sim::FaultTarget;
using testsupport::TempMachine;

const char* const kPrint = "SYSTEM\\CurrentControlSet\\Control\\Print";

std::int32_t SetDword(plat::Registry& r, RegRoot root, const char* path, RegView view = RegView::Default) {
    return r.SetValue(root, path, "n", REG_DWORD, {1, 0, 0, 0}, view);
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(CallFaults, TargetsCoverWhatTheyNameAndWhatLiesBelowIt) {
    struct Case {
        const char* fault;
        FaultTarget kind;
        const char* call;
        bool covered;
    };
    const Case cases[] = {
        {"", FaultTarget::None, "", true},  // no target: every call
        {"", FaultTarget::KeyPath, "HKEY_USERS\\X", true},
        {"HKLM\\Software", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWARE", true},
        {"HKLM\\Software", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B", true},
        {"HKLM\\Software", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWAREX", false},
        {"HKLM\\Software\\A", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWARE", false},
        {"HKCR\\CLSID", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\{x}", true},
        {"HKCU", FaultTarget::KeyPath, "HKEY_LOCAL_MACHINE\\SOFTWARE", false},
        {"c:/Dir", FaultTarget::FilePath, "C:\\DIR\\file.txt", true},
        {"C:\\Dir\\file.txt", FaultTarget::FilePath, "C:\\dir\\FILE.TXT", true},
        {"C:\\Dir", FaultTarget::FilePath, "C:\\DirX\\file.txt", false},
        {"C:\\Dir\\file.txt", FaultTarget::FilePath, "C:\\Dir", false},
        {"Receipt (U) 1", FaultTarget::Name, "RECEIPT (u) 1", true},
        {"Receipt", FaultTarget::Name, "Receipt (U) 1", false},
        {"anything", FaultTarget::None, "", false},  // a call without a target meets no targeted fault
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " / " + c.call);
        EXPECT_EQ(sim::FaultTargetCovers(c.fault, c.kind, c.call), c.covered);
    }
}

TEST(CallFaults, NamesAreTheApisOwnOrAPrefixPattern) {
    EXPECT_TRUE(sim::FaultNamesCall({"regsetvalueexa", 5, 0, {}}, "RegSetValueExA"));
    EXPECT_TRUE(sim::FaultNamesCall({"Reg*", 5, 0, {}}, "RegEnumValueA"));
    EXPECT_FALSE(sim::FaultNamesCall({"Reg*", 5, 0, {}}, "CopyFileA"));
    EXPECT_FALSE(sim::FaultNamesCall({"RegSetValue", 5, 0, {}}, "RegSetValueExA"));
    EXPECT_EQ(sim::CallsNamedBy("Reg*").size(), 8u);
    EXPECT_EQ(sim::CallsNamedBy("*").size(), sim::FaultableCalls().size());
    EXPECT_TRUE(sim::CallsNamedBy("RegSetValue").empty());
}

// Every call the list offers is really asked by its stand-in: a fault on it fails it.
TEST(CallFaults, EveryFaultableCallIsCheckedByItsStandIn) {
    TempMachine m("windows-7-x64");
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(m.machine(), "P", "LPT1:", error)) << error;
    auto p = m.Process(64);
    auto& files = p->files();
    auto& reg = p->registry();
    auto& spooler = p->rawPrinting();
    ASSERT_TRUE(files.WriteWholeFile("C:\\scratch\\a.txt", Bytes("a")));
    ASSERT_EQ(reg.CreateKey(RegRoot::CurrentUser, "Software\\T", RegView::Default), ERROR_SUCCESS);
    auto last = [&] { return p->lastError().GetLastError(); };
    // Each step makes the call once and gives the error it ended with (0: it succeeded).
    std::map<std::string, std::function<std::uint32_t()>> steps = {
        {"CreateFileA", [&] { std::vector<std::uint8_t> b; return files.ReadWholeFile("C:\\scratch\\a.txt", b) ? 0 : last(); }},
        {"DeleteFileA", [&] { return files.DeleteFileA("C:\\scratch\\a.txt") ? 0 : last(); }},
        {"CopyFileA", [&] { return files.CopyFileA("C:\\scratch\\a.txt", "C:\\scratch\\b.txt", false) ? 0 : last(); }},
        {"CreateDirectoryA", [&] { return files.CreateDirectoryA("C:\\scratch\\d") ? 0 : last(); }},
        {"RemoveDirectoryA", [&] { return files.RemoveDirectoryA("C:\\scratch\\d") ? 0 : last(); }},
        {"GetFileAttributesA", [&] { return files.GetFileAttributesA("C:\\scratch") != INVALID_FILE_ATTRIBUTES ? 0 : last(); }},
        {"SetFileAttributesA", [&] { return files.SetFileAttributesA("C:\\scratch\\a.txt", 0) ? 0 : last(); }},
        {"FindFirstFileA", [&] { std::vector<plat::FindData> f; return files.FindFiles("C:\\scratch\\*", f) ? 0 : last(); }},
        {"RegCreateKeyExA", [&] { return std::uint32_t(reg.CreateKey(RegRoot::CurrentUser, "Software\\T", RegView::Default)); }},
        {"RegOpenKeyExA", [&] { return std::uint32_t(reg.OpenKey(RegRoot::CurrentUser, "Software\\T", RegView::Default)); }},
        {"RegDeleteKeyA", [&] { return std::uint32_t(reg.DeleteKey(RegRoot::CurrentUser, "Software\\T", RegView::Default)); }},
        {"RegSetValueExA", [&] { return std::uint32_t(SetDword(reg, RegRoot::CurrentUser, "Software\\T")); }},
        {"RegQueryValueExA", [&] { std::uint32_t t; std::vector<std::uint8_t> d; return std::uint32_t(reg.QueryValue(RegRoot::CurrentUser, "Software\\T", "n", t, d, RegView::Default)); }},
        {"RegDeleteValueA", [&] { return std::uint32_t(reg.DeleteValue(RegRoot::CurrentUser, "Software\\T", "n", RegView::Default)); }},
        {"RegEnumKeyExA", [&] { std::vector<std::string> k; return std::uint32_t(reg.EnumKeys(RegRoot::CurrentUser, "Software", k, RegView::Default)); }},
        {"RegEnumValueA", [&] { std::vector<std::string> v; return std::uint32_t(reg.EnumValues(RegRoot::CurrentUser, "Software\\T", v, RegView::Default)); }},
    };
    plat::PrinterHandle printer = 0;
    ASSERT_TRUE(spooler.OpenPrinterW(u"P", printer));
    std::uint32_t written = 0;
    steps["OpenPrinterW"] = [&] { plat::PrinterHandle h = 0; return spooler.OpenPrinterW(u"P", h) ? 0 : last(); };
    steps["StartDocPrinterW"] = [&] { return spooler.StartDocPrinterW(printer, {u"d", u"", u"RAW"}) ? 0 : last(); };
    steps["StartPagePrinter"] = [&] { return spooler.StartPagePrinter(printer) ? 0 : last(); };
    steps["WritePrinter"] = [&] { return spooler.WritePrinter(printer, "x", 1, written) ? 0 : last(); };
    steps["EndPagePrinter"] = [&] { return spooler.EndPagePrinter(printer) ? 0 : last(); };
    steps["EndDocPrinter"] = [&] { return spooler.EndDocPrinter(printer) ? 0 : last(); };
    steps["ClosePrinter"] = [&] { return spooler.ClosePrinter(printer) ? 0 : last(); };
    auto& setup = p->printerSetup();
    char dir[260];
    std::uint32_t needed = 0, returned = 0;
    std::vector<std::uint8_t> buffer(4096);
    char name[] = "P", none[] = "", dll[] = "localspl.dll", port[] = "LPT1:", processor[] = "winprint";
    steps["GetPrinterDriverDirectoryA"] = [&] { return setup.GetPrinterDriverDirectoryA(nullptr, 1, dir, 260, needed) ? 0 : last(); };
    steps["GetPrintProcessorDirectoryA"] = [&] { return setup.GetPrintProcessorDirectoryA(nullptr, 1, dir, 260, needed) ? 0 : last(); };
    // Each of these fails on its own account too; the fault must come first.
    steps["AddPrinterDriverA"] = [&] { plat::DRIVER_INFO_3A d{}; d.pName = name; return setup.AddPrinterDriverA(3, d) ? 0 : last(); };
    steps["AddMonitorA"] = [&] { plat::MONITOR_INFO_2A m{name, nullptr, dll}; return setup.AddMonitorA(2, m) ? 0 : last(); };
    steps["AddPrintProcessorA"] = [&] { return setup.AddPrintProcessorA(nullptr, none, processor) ? 0 : last(); };
    steps["AddPrinterA"] = [&] { plat::PRINTER_INFO_2A i{}; i.pPrinterName = name; i.pPortName = port; return setup.AddPrinterA(2, i, printer) ? 0 : last(); };
    steps["OpenPrinterA"] = [&] { return setup.OpenPrinterA("P", printer) ? 0 : last(); };
    steps["GetPrinterA"] = [&] { return setup.GetPrinterA(printer, 2, buffer.data(), 4096, needed) ? 0 : last(); };
    steps["SetPrinterA"] = [&] { plat::PRINTER_INFO_2A i{}; return setup.SetPrinterA(printer, 2, &i, 0) ? 0 : last(); };
    steps["SetDefaultPrinterA"] = [&] { return setup.SetDefaultPrinterA("P") ? 0 : last(); };
    steps["EnumPortsA"] = [&] { return setup.EnumPortsA(1, buffer.data(), 4096, needed, returned) ? 0 : last(); };
    steps["EnumPrintersA"] = [&] { return setup.EnumPrintersA(PRINTER_ENUM_LOCAL, 2, buffer.data(), 4096, needed, returned) ? 0 : last(); };
    steps["EnumMonitorsA"] = [&] { return setup.EnumMonitorsA(1, buffer.data(), 4096, needed, returned) ? 0 : last(); };
    steps["EnumPrintProcessorsA"] = [&] { return setup.EnumPrintProcessorsA(nullptr, 1, buffer.data(), 4096, needed, returned) ? 0 : last(); };
    steps["DeletePrinter"] = [&] { return setup.DeletePrinter(printer) ? 0 : last(); };
    steps["DeleteMonitorA"] = [&] { return setup.DeleteMonitorA(nullptr, "P") ? 0 : last(); };
    steps["DeletePrintProcessorA"] = [&] { return setup.DeletePrintProcessorA(nullptr, "P") ? 0 : last(); };
    steps["DeletePrinterDriverA"] = [&] { return setup.DeletePrinterDriverA(nullptr, nullptr, "P") ? 0 : last(); };
    steps["DeletePrinterDriverExA"] = [&] { return setup.DeletePrinterDriverExA(nullptr, nullptr, "P", 0, 0) ? 0 : last(); };

    plat::PrinterHandle formPrinter = 0;
    ASSERT_TRUE(spooler.OpenPrinterW(u"P", formPrinter));
    char16_t formName[] = u"Custom";
    const plat::FORM_INFO_1W form{FORM_USER, formName, {1000, 1000}, {0, 0, 1000, 1000}};
    steps["EnumFormsW"] = [&] { return p->forms().EnumFormsW(formPrinter, 1, buffer.data(), 4096, needed, returned) ? 0 : last(); };
    steps["AddFormW"] = [&] { return p->forms().AddFormW(formPrinter, 1, form) ? 0 : last(); };
    steps["SetFormW"] = [&] { return p->forms().SetFormW(formPrinter, u"Custom", 1, form) ? 0 : last(); };
    steps["DeleteFormW"] = [&] { return p->forms().DeleteFormW(formPrinter, u"Custom") ? 0 : last(); };

    auto& services = p->services();
    auto& system = p->system();
    const plat::ServiceHandle manager = services.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, 0u);
    const plat::ServiceHandle spoolerService = services.OpenServiceA(manager, "Spooler", SERVICE_ALL_ACCESS);
    ASSERT_NE(spoolerService, 0u);
    plat::SERVICE_STATUS status{};
    steps["OpenSCManagerA"] = [&] { plat::ServiceHandle h = services.OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT); if (h) services.CloseServiceHandle(h); return h ? 0 : last(); };
    steps["OpenServiceA"] = [&] { plat::ServiceHandle h = services.OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS); if (h) services.CloseServiceHandle(h); return h ? 0 : last(); };
    steps["QueryServiceStatus"] = [&] { return services.QueryServiceStatus(spoolerService, status) ? 0 : last(); };
    steps["ControlService"] = [&] { return services.ControlService(spoolerService, SERVICE_CONTROL_STOP, status) ? 0 : last(); };
    steps["StartServiceA"] = [&] { return services.StartServiceA(spoolerService, 0, nullptr) ? 0 : last(); };
    steps["CloseServiceHandle"] = [&] { return services.CloseServiceHandle(manager) ? 0 : last(); };
    steps["LoadLibraryA"] = [&] { return system.LookUpFunction("kernel32.dll", "IsWow64Process") == plat::FunctionLookup::Found ? 0 : last(); };
    steps["GetProcAddress"] = [&] { return system.LookUpFunction("kernel32.dll", "IsWow64Process") == plat::FunctionLookup::Found ? 0 : last(); };
    void* token = nullptr;
    steps["Wow64DisableWow64FsRedirection"] = [&] { return files.Wow64DisableWow64FsRedirection(token) ? 0 : last(); };
    steps["Wow64RevertWow64FsRedirection"] = [&] { return files.Wow64RevertWow64FsRedirection(token) ? 0 : last(); };
    {
        const std::vector<std::uint8_t> dll(kVersionedDll, kVersionedDll + kVersionedDll_size);
        ASSERT_TRUE(files.WriteWholeFile("C:\\scratch\\v.dll", dll));
    }
    std::vector<std::uint8_t> versionBlock(8192);
    steps["GetFileVersionInfoSizeA"] = [&] { std::uint32_t h = 0; return p->fileVersions().GetFileVersionInfoSizeA("C:\\scratch\\v.dll", h) ? 0 : last(); };
    steps["GetFileVersionInfoA"] = [&] { return p->fileVersions().GetFileVersionInfoA("C:\\scratch\\v.dll", 0, 8192, versionBlock.data()) ? 0 : last(); };
    steps["VerQueryValueA"] = [&] { void* v = nullptr; std::uint32_t n = 0; return p->fileVersions().VerQueryValueA(versionBlock.data(), "\\", v, n) ? 0 : last(); };
    steps["SetupIterateCabinetA"] = [&] {
        auto skipAll = [](std::uint32_t, std::uintptr_t, std::uintptr_t) -> std::uint32_t { return FILEOP_SKIP; };
        return p->deviceInstallation().SetupIterateCabinetA("C:\\scratch\\a.txt", skipAll) ? 0 : last();
    };
    const std::string inf = "[Version]\nSignature=$Chicago$\nClass=Ports\n";
    ASSERT_TRUE(files.WriteWholeFile("C:\\scratch\\a.inf", {inf.begin(), inf.end()}));
    auto& device = p->deviceInstallation();
    const plat::InfHandle openInf = device.SetupOpenInfFileA("C:\\scratch\\a.inf", INF_STYLE_WIN4, nullptr);
    ASSERT_NE(openInf, plat::kInvalidInf);
    plat::INFCONTEXT infLine{};
    ASSERT_TRUE(device.SetupFindFirstLineA(openInf, "Version", nullptr, infLine));
    steps["SetupOpenInfFileA"] = [&] { plat::InfHandle h = device.SetupOpenInfFileA("C:\\scratch\\a.inf", INF_STYLE_WIN4, nullptr); if (h != plat::kInvalidInf) device.SetupCloseInfFile(h); return h != plat::kInvalidInf ? 0 : last(); };
    steps["SetupFindFirstLineA"] = [&] { plat::INFCONTEXT c{}; return device.SetupFindFirstLineA(openInf, "Version", nullptr, c) ? 0 : last(); };
    steps["SetupGetStringFieldA"] = [&] { char b[64]; return device.SetupGetStringFieldA(infLine, 1, b, 64, nullptr) ? 0 : last(); };
    steps["SetupDiGetINFClassA"] = [&] { plat::GUID g{}; char b[64]; return device.SetupDiGetINFClassA("C:\\scratch\\a.inf", g, b, 64, nullptr) ? 0 : last(); };
    steps["SetupDiClassGuidsFromNameA"] = [&] { plat::GUID g[1]; std::uint32_t n = 0; return device.SetupDiClassGuidsFromNameA("Ports", g, 1, n) ? 0 : last(); };
    const plat::GUID ports{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
    const plat::DeviceInfoSet set = device.SetupDiCreateDeviceInfoList(&ports, 0);
    plat::SP_DEVINFO_DATA created{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0};
    ASSERT_TRUE(device.SetupDiCreateDeviceInfoA(set, "Ports", ports, nullptr, 0, DICD_GENERATE_ID, &created));
    steps["UpdateDriverForPlugAndPlayDevicesA"] = [&] { return device.UpdateDriverForPlugAndPlayDevicesA(0, "root\\x", "C:\\scratch\\a.inf", INSTALLFLAG_FORCE, nullptr) ? 0 : last(); };
    steps["SetupCopyOEMInfA"] = [&] { std::uint32_t n = 0; return device.SetupCopyOEMInfA("C:\\scratch\\a.inf", "C:\\scratch", SPOST_PATH, 0, nullptr, 0, &n) ? 0 : last(); };
    steps["SetupDiCreateDeviceInfoList"] = [&] { plat::DeviceInfoSet s = device.SetupDiCreateDeviceInfoList(nullptr, 0); return s != plat::kInvalidDeviceInfoSet ? 0 : last(); };
    steps["SetupDiCreateDeviceInfoA"] = [&] { return device.SetupDiCreateDeviceInfoA(set, "Ports", ports, nullptr, 0, DICD_GENERATE_ID, nullptr) ? 0 : last(); };
    steps["SetupDiSetDeviceRegistryPropertyA"] = [&] { const std::uint8_t id[] = "A\0"; return device.SetupDiSetDeviceRegistryPropertyA(set, created, SPDRP_HARDWAREID, id, sizeof id) ? 0 : last(); };
    steps["SetupDiCallClassInstaller"] = [&] { return device.SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &created) ? 0 : last(); };
    steps["SetupDiGetClassDevsA"] = [&] { return device.SetupDiGetClassDevsA(&ports, nullptr, 0, DIGCF_PRESENT) != plat::kInvalidDeviceInfoSet ? 0 : last(); };
    steps["SetupDiEnumDeviceInfo"] = [&] { plat::SP_DEVINFO_DATA d{sizeof(plat::SP_DEVINFO_DATA), {}, 0, 0}; return device.SetupDiEnumDeviceInfo(set, 0, d) ? 0 : last(); };
    steps["SetupDiGetDeviceRegistryPropertyA"] = [&] { std::uint8_t b[64]; return device.SetupDiGetDeviceRegistryPropertyA(set, created, SPDRP_CLASS, nullptr, b, sizeof b, nullptr) ? 0 : last(); };
    steps["SetupDiDestroyDeviceInfoList"] = [&] { plat::DeviceInfoSet s = device.SetupDiCreateDeviceInfoList(nullptr, 0); return device.SetupDiDestroyDeviceInfoList(s) ? 0 : last(); };

    plat::PRINTER_DEFAULTSA admin{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
    plat::PrinterHandle xcv = 0;
    ASSERT_TRUE(p->printerSetup().OpenPrinterA(",XcvMonitor Standard TCP/IP Port", xcv, &admin));
    steps["XcvDataW"] = [&] { std::uint8_t in[964] = {}, out[260]; std::uint32_t n = 0, st = 0; return p->printerSetup().XcvDataW(xcv, u"AddPort", in, 964, out, 260, n, st) ? 0 : last(); };
    plat::TokenHandle tokenHandle = 0;
    ASSERT_TRUE(p->shutdown().OpenProcessToken(TOKEN_ADJUST_PRIVILEGES, tokenHandle));
    steps["OpenProcessToken"] = [&] { plat::TokenHandle t = 0; return p->shutdown().OpenProcessToken(TOKEN_QUERY, t) ? 0 : last(); };
    steps["LookupPrivilegeValueA"] = [&] { plat::Luid l; return p->shutdown().LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", l) ? 0 : last(); };
    steps["AdjustTokenPrivileges"] = [&] { return p->shutdown().AdjustTokenPrivileges(tokenHandle, false, plat::Luid{19, 0}, 0) ? 0 : last(); };
    steps["ExitWindowsEx"] = [&] { return p->shutdown().ExitWindowsEx(EWX_LOGOFF, 0) ? 0 : last(); };
    steps["SendMessageTimeoutA"] = [&] { return p->desktop().BroadcastWinIniChange("windows", 1000) ? 0 : last(); };
    steps["SendNotifyMessageA"] = [&] { return p->desktop().NotifyWinIniChange("Ports") ? 0 : last(); };

    ASSERT_EQ(steps.size(), sim::FaultableCalls().size());
    for (const sim::FaultableCall& call : sim::FaultableCalls()) {
        SCOPED_TRACE(call.name);
        ASSERT_TRUE(steps.count(call.name));
        ASSERT_TRUE(sim::AddFault(m.machine(), {call.name, 4321, 1, {}}, error)) << error;
        EXPECT_EQ(steps[call.name](), 4321u);
        EXPECT_EQ(sim::TakeFault(m.machine(), call.name, call.target, ""), ERROR_SUCCESS)
            << "the fault was not used up by the call";
    }
}

TEST(CallFaults, RegistryCallsOnTheKeyAndBelowFailForTheNamedCallOnly) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    auto& r = p->registry();
    ASSERT_EQ(r.CreateKey(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", RegView::Default), ERROR_SUCCESS);
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"RegSetValueExA", ERROR_ACCESS_DENIED, 0,
                                            "HKLM\\system\\currentcontrolset\\control\\print"}, error))
        << error;
    // A second process sees the fault too: it lives in the machine.
    auto other = m.Process(32);
    EXPECT_EQ(SetDword(other->registry(), RegRoot::LocalMachine, kPrint), ERROR_ACCESS_DENIED);
    EXPECT_EQ(SetDword(r, RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(r.OpenKey(RegRoot::LocalMachine, kPrint, RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(r, RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control"), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(r, RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\PrintX"),
              ERROR_FILE_NOT_FOUND);  // a sibling whose name only starts alike is not below it

    ASSERT_TRUE(sim::ClearFaults(m.machine(), error)) << error;
    EXPECT_EQ(SetDword(r, RegRoot::LocalMachine, kPrint), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(sim::FaultsFile(m.machine())));
}

TEST(CallFaults, ACountedFaultIsUsedUpThenCallsSucceed) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"Reg*", ERROR_NOT_ENOUGH_MEMORY, 2, "HKCU\\Software"}, error));
    auto& r = p->registry();
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_SUCCESS);
}

TEST(CallFaults, ARegistryFaultMatchesThePathTheCallReallyReaches) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    ASSERT_EQ(p32->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::Default), ERROR_SUCCESS);
    ASSERT_EQ(p64->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::Default), ERROR_SUCCESS);
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"RegSetValueExA", 1234, 0,
                                            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor"}, error));
    EXPECT_EQ(SetDword(p32->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor"), 1234);
    EXPECT_EQ(SetDword(p64->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor"), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(p64->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::View32), 1234);

    ASSERT_TRUE(sim::AddFault(m.machine(), {"RegQueryValueExA", 5, 0, "HKCR\\CLSID"}, error));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(p64->registry().QueryValue(RegRoot::LocalMachine, "SOFTWARE\\Classes\\CLSID\\{x}", "",
                                         type, data, RegView::Default),
              5);
}

// A file fault with a target fails the calls on that file or below it; CopyFileA's target is
// the file it writes, so copying from the file still works.
TEST(CallFaults, AFileFaultFailsCallsOnItsTargetOnly) {
    TempMachine m;
    auto p = m.Process();
    auto& files = p->files();
    ASSERT_TRUE(files.CreateDirectoryA("C:\\scratch\\Drivers"));
    ASSERT_TRUE(files.WriteWholeFile("C:\\scratch\\source.dll", Bytes("dll")));
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"CopyFileA", ERROR_SHARING_VIOLATION, 0, "c:\\SCRATCH\\drivers"}, error));
    EXPECT_FALSE(files.CopyFileA("C:\\scratch\\source.dll", "C:\\scratch\\Drivers\\x.dll", false));
    EXPECT_EQ(p->lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(files.CopyFileA("C:\\scratch\\source.dll", "C:\\scratch\\x.dll", false));
    EXPECT_TRUE(files.CopyFileA("C:\\scratch\\Drivers\\..\\x.dll", "C:\\scratch\\y.dll", false));

    // Opening for a profile read is CreateFileA too.
    ASSERT_TRUE(files.WriteWholeFile("C:\\scratch\\s.ini", Bytes("[a]\r\nk=v\r\n")));
    ASSERT_TRUE(sim::AddFault(m.machine(), {"CreateFileA", ERROR_ACCESS_DENIED, 1, "C:\\scratch\\s.ini"}, error));
    char value[16] = {};
    EXPECT_EQ(p->profile().GetPrivateProfileStringA("a", "k", "none", value, sizeof value, "C:\\scratch\\s.ini"), 4u);
    EXPECT_STREQ(value, "none");
    EXPECT_EQ(p->profile().GetPrivateProfileStringA("a", "k", "none", value, sizeof value, "C:\\scratch\\s.ini"), 1u);
    EXPECT_STREQ(value, "v");
}

TEST(CallFaults, TheStateFileRoundTripsAndBadLinesAreRefused) {
    std::vector<sim::CallFault> faults = {
        {"RegSetValueExA", 5, 0, "HKLM\\SYSTEM\\Key With Spaces"},
        {"Reg*", 1234, 3, "HKEY_CURRENT_USER\\Software"},
        {"WritePrinter", 1167, 1, ""},
    };
    std::vector<sim::CallFault> back;
    std::string error;
    ASSERT_TRUE(sim::ParseFaults(sim::FormatFaults(faults), back, error)) << error;
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].call, faults[i].call);
        EXPECT_EQ(back[i].error, faults[i].error);
        EXPECT_EQ(back[i].times, faults[i].times);
        EXPECT_EQ(back[i].target, faults[i].target);
    }
    for (const char* bad : {"RegSetValueExA five 0 HKLM\\X\n", "RegSetValueExA 5\n",
                            "RegSetValueExA 5 -1 HKLM\n", "RegSetValueExA 0 0 HKLM\n"}) {
        back.clear();
        EXPECT_FALSE(sim::ParseFaults(bad, back, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    }
}

// A key name may hold a line break or blanks at its end, and a fault on it must fail that key's
// calls, not those of another key made of half its name.
TEST(CallFaults, TargetsWithLineBreaksAndEdgeBlanksKeepToTheirLine) {
    const std::vector<sim::CallFault> faults = {
        {"RegSetValueExA", 5, 0, "HKLM\\SOFTWARE\\Bad\nName"},
        {"RegOpenKeyExA", 2, 1, "HKLM\\SOFTWARE\\cr\rtab\t"},
        {"OpenPrinterW", 1801, 0, " Printer 50% "},
        {"DeleteFileA", 5, 0, "C:\\a\nb"},
    };
    const std::string text = sim::FormatFaults(faults);
    // The comment line and one line per fault.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5) << text;
    EXPECT_NE(text.find("RegSetValueExA 5 0 HKLM\\SOFTWARE\\Bad%0AName\n"), std::string::npos) << text;
    EXPECT_NE(text.find("OpenPrinterW 1801 0 %20Printer 50%25%20\n"), std::string::npos) << text;
    std::vector<sim::CallFault> back;
    std::string error;
    ASSERT_TRUE(sim::ParseFaults(text, back, error)) << error;
    ASSERT_EQ(back.size(), faults.size());
    for (std::size_t i = 0; i < faults.size(); ++i) EXPECT_EQ(back[i].target, faults[i].target);

    TempMachine m("windows-7-x64");
    ASSERT_TRUE(sim::AddFault(m.machine(), faults[0], error)) << error;
    auto p = m.Process(64);
    EXPECT_EQ(p->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Bad\nName", RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(p->registry(), RegRoot::LocalMachine, "SOFTWARE\\Bad\nName"), 5);
    ASSERT_EQ(p->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Bad", RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(SetDword(p->registry(), RegRoot::LocalMachine, "SOFTWARE\\Bad"), ERROR_SUCCESS);
}

// A fault file written before targets were escaped reads as it did.
TEST(CallFaults, UnescapedTargetsOfOlderFilesReadAsTheyDid) {
    std::vector<sim::CallFault> back;
    std::string error;
    ASSERT_TRUE(sim::ParseFaults("CopyFileA 32 0 C:\\100% sure\\x64\n", back, error)) << error;
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].target, "C:\\100% sure\\x64");
}

TEST(CallFaults, AnUnreadableFaultFileFailsCallsLoudly) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    testsupport::WriteHostFile(sim::FaultsFile(m.machine()), "nonsense\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(p->registry().OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_CANTREAD);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("fault line 1"), std::string::npos);
}

// Machines made before the one list kept registry and spooler faults in files of their own:
// they still apply, and the next change moves them into the one list.
TEST(CallFaults, FaultFilesOfOlderMachinesStillApplyAndMoveIntoTheList) {
    TempMachine m("windows-7-x64");
    const auto state = m.machine().stateDir();
    testsupport::WriteHostFile(state / "registry-faults.txt",
                               "# operation error times key-path\nsetvalue 5 0 HKCU\\Software\n* 1018 1 HKU\n");
    testsupport::WriteHostFile(state / "spooler-faults.txt", "WritePrinter 1167 2\n");
    std::vector<sim::CallFault> faults;
    std::string error;
    ASSERT_TRUE(sim::ReadFaults(m.machine(), faults, error)) << error;
    ASSERT_EQ(faults.size(), 3u);
    EXPECT_EQ(faults[0].call, "RegSetValueExA");
    EXPECT_EQ(faults[0].target, "HKCU\\Software");
    EXPECT_EQ(faults[1].call, "Reg*");
    EXPECT_EQ(faults[1].times, 1u);
    EXPECT_EQ(faults[2].call, "WritePrinter");
    EXPECT_EQ(faults[2].target, "");

    auto p = m.Process(64);
    EXPECT_EQ(SetDword(p->registry(), RegRoot::CurrentUser, "Software"), ERROR_ACCESS_DENIED);
    // The counted fault was used up: that was a change, so the list now holds the rest.
    EXPECT_EQ(p->registry().OpenKey(RegRoot::Users, "", RegView::Default), ERROR_KEY_DELETED);
    EXPECT_FALSE(std::filesystem::exists(state / "registry-faults.txt"));
    EXPECT_FALSE(std::filesystem::exists(state / "spooler-faults.txt"));
    faults.clear();
    ASSERT_TRUE(sim::ReadFaults(m.machine(), faults, error)) << error;
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[1].call, "WritePrinter");
    EXPECT_EQ(faults[1].times, 2u);
}

}  // namespace
