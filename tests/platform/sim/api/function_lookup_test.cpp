// Functions looked up by name at run time: which systems offer them, how library names are
// matched, and the injected faults that make a lookup fail.
#include <gtest/gtest.h>

#include <string>

#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using plat::FunctionLookup;
using testsupport::TempMachine;

TEST(SimFunctionLookup, WhatEachSystemOffers) {
    struct Case {
        const char* preset;
        const char* library;
        const char* function;
        FunctionLookup expected;
    };
    const Case cases[] = {
        {"windows-7-x64", "Kernel32.dll", "Wow64DisableWow64FsRedirection", FunctionLookup::Found},
        {"windows-7-x64", "kernel32.dll", "Wow64RevertWow64FsRedirection", FunctionLookup::Found},
        {"windows-7-x64", "KERNEL32.DLL", "IsWow64Process", FunctionLookup::Found},
        {"windows-7-x64", "kernel32", "GetNativeSystemInfo", FunctionLookup::Found},
        {"windows-7-x64", "C:\\Windows\\System32\\kernel32.dll", "IsWow64Process", FunctionLookup::Found},
        {"windows-7-x64", "C:\\Other\\kernel32.dll", "IsWow64Process", FunctionLookup::NoLibrary},
        {"windows-7-x64", "winspool.drv", "SetDefaultPrinterA", FunctionLookup::Found},
        {"windows-7-x64", "winspool", "SetDefaultPrinterA", FunctionLookup::NoLibrary},
        // Function names are matched exactly.
        {"windows-7-x64", "kernel32.dll", "iswow64process", FunctionLookup::NoFunction},
        {"windows-7-x64", "kernel32.dll", "NoSuchFunction", FunctionLookup::NoFunction},
        {"windows-7-x64", "nosuch.dll", "IsWow64Process", FunctionLookup::NoLibrary},
        // XP has the WOW64 calls, even on 32-bit Windows where they only fail.
        {"xp-x86", "Kernel32.dll", "Wow64DisableWow64FsRedirection", FunctionLookup::Found},
        {"xp-x86", "kernel32.dll", "IsWow64Process", FunctionLookup::Found},
        // Windows 2000 has SetDefaultPrinterA but none of the WOW64 calls.
        {"windows-2000-x86", "kernel32.dll", "IsWow64Process", FunctionLookup::NoFunction},
        {"windows-2000-x86", "Kernel32.dll", "Wow64DisableWow64FsRedirection", FunctionLookup::NoFunction},
        {"windows-2000-x86", "kernel32.dll", "GetNativeSystemInfo", FunctionLookup::NoFunction},
        {"windows-2000-x86", "winspool.drv", "SetDefaultPrinterA", FunctionLookup::Found},
        // Before 5.0 there is no SetDefaultPrinterA.
        {"nt4-x86", "winspool.drv", "SetDefaultPrinterA", FunctionLookup::NoFunction},
        {"windows-98", "winspool.drv", "SetDefaultPrinterA", FunctionLookup::NoFunction},
        {"windows-98", "kernel32.dll", "IsWow64Process", FunctionLookup::NoFunction},
        // DeletePrinterDriverExA came with Windows 2000 too.
        {"windows-2000-x86", "winspool.drv", "DeletePrinterDriverExA", FunctionLookup::Found},
        {"nt4-x86", "winspool.drv", "DeletePrinterDriverExA", FunctionLookup::NoFunction},
        {"windows-95", "winspool.drv", "DeletePrinterDriverExA", FunctionLookup::NoFunction},
        {"windows-95", "winspool.drv", "DeletePrinterDriverA", FunctionLookup::Found},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.library + " " + c.function);
        TempMachine m(c.preset);
        auto p = m.Process(32);
        EXPECT_EQ(p->system().LookUpFunction(c.library, c.function), c.expected);
        if (c.expected == FunctionLookup::NoLibrary) {
            EXPECT_EQ(p->lastError().GetLastError(), ERROR_MOD_NOT_FOUND);
        } else if (c.expected == FunctionLookup::NoFunction) {
            EXPECT_EQ(p->lastError().GetLastError(), ERROR_PROC_NOT_FOUND);
        }
    }
}

TEST(SimFunctionLookup, InjectedFaultsFailTheLibraryOrTheFunctionNamed) {
    TempMachine m("windows-7-x64");
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"LoadLibraryA", ERROR_MOD_NOT_FOUND, 0, "Kernel32.dll"}, error));
    ASSERT_TRUE(sim::AddFault(m.machine(), {"GetProcAddress", ERROR_PROC_NOT_FOUND, 0, "SetDefaultPrinterA"}, error));
    auto p = m.Process(32);
    auto& system = p->system();
    EXPECT_EQ(system.LookUpFunction("kernel32.dll", "Wow64DisableWow64FsRedirection"),
              FunctionLookup::NoLibrary);
    EXPECT_EQ(system.LookUpFunction("winspool.drv", "SetDefaultPrinterA"), FunctionLookup::NoFunction);
    EXPECT_EQ(system.LookUpFunction("winspool.drv", "GetDefaultPrinterA"), FunctionLookup::Found);
    // IsWow64Process is found in the system directory's kernel32.dll first, which the fault
    // on the bare name does not cover.
    bool wow64 = false;
    EXPECT_TRUE(system.IsWow64Process(wow64));
    EXPECT_TRUE(wow64);
}

TEST(SimFunctionLookup, AMissingIsWow64ProcessMakesTheCallFail) {
    TempMachine m("windows-7-x64");
    std::string error;
    ASSERT_TRUE(sim::AddFault(m.machine(), {"GetProcAddress", ERROR_PROC_NOT_FOUND, 0, "IsWow64Process"}, error));
    auto p = m.Process(32);
    bool wow64 = false;
    EXPECT_FALSE(p->system().IsWow64Process(wow64));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_PROC_NOT_FOUND);
    std::uint16_t architecture = 0;
    EXPECT_TRUE(p->system().GetNativeProcessorArchitecture(architecture));
    EXPECT_EQ(architecture, PROCESSOR_ARCHITECTURE_AMD64);
}

}  // namespace
