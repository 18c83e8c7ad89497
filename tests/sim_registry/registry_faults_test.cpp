// Tests of injected registry faults: calls on a key path fail with the chosen error, machine-wide.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/sim/state/faults.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using plat::RegRoot;
using plat::RegView;
using testsupport::TempMachine;

const char* const kPrint = "SYSTEM\\CurrentControlSet\\Control\\Print";

std::int32_t SetDword(plat::Registry& r, RegRoot root, const char* path, RegView view = RegView::Default) {
    return r.SetValue(root, path, "n", REG_DWORD, {1, 0, 0, 0}, view);
}

TEST(RegistryFaults, CallsOnTheKeyAndBelowFailForTheChosenOperationOnly) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    auto& r = p->registry();
    ASSERT_EQ(r.CreateKey(RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", RegView::Default), ERROR_SUCCESS);
    std::string error;
    ASSERT_TRUE(sim::AddRegistryFault(m.machine(), {"SetValue", ERROR_ACCESS_DENIED, 0,
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

    ASSERT_TRUE(sim::ClearRegistryFaults(m.machine(), error)) << error;
    EXPECT_EQ(SetDword(r, RegRoot::LocalMachine, kPrint), ERROR_SUCCESS);
    EXPECT_FALSE(std::filesystem::exists(sim::RegistryFaultsFile(m.machine())));
}

TEST(RegistryFaults, ACountedFaultIsUsedUpThenCallsSucceed) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    std::string error;
    ASSERT_TRUE(sim::AddRegistryFault(m.machine(), {"*", ERROR_NOT_ENOUGH_MEMORY, 2, "HKCU\\Software"}, error));
    auto& r = p->registry();
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software\\A", RegView::Default), ERROR_SUCCESS);
}

TEST(RegistryFaults, AFaultMatchesThePathTheCallReallyReaches) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    ASSERT_EQ(p32->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::Default), ERROR_SUCCESS);
    ASSERT_EQ(p64->registry().CreateKey(RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::Default), ERROR_SUCCESS);
    std::string error;
    ASSERT_TRUE(sim::AddRegistryFault(m.machine(), {"SetValue", 1234, 0,
                                                    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor"}, error));
    EXPECT_EQ(SetDword(p32->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor"), 1234);
    EXPECT_EQ(SetDword(p64->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor"), ERROR_SUCCESS);
    EXPECT_EQ(SetDword(p64->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor", RegView::View32), 1234);

    ASSERT_TRUE(sim::AddRegistryFault(m.machine(), {"QueryValue", 5, 0, "HKCR\\CLSID"}, error));
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    EXPECT_EQ(p64->registry().QueryValue(RegRoot::LocalMachine, "SOFTWARE\\Classes\\CLSID\\{x}", "",
                                         type, data, RegView::Default),
              5);
}

TEST(RegistryFaults, TheStateFileRoundTripsAndBadLinesAreRefused) {
    std::vector<sim::RegistryFault> faults = {
        {"SetValue", 5, 0, "HKLM\\SYSTEM\\Key With Spaces"},
        {"*", 1234, 3, "HKEY_CURRENT_USER\\Software"},
    };
    std::vector<sim::RegistryFault> back;
    std::string error;
    ASSERT_TRUE(sim::ParseRegistryFaults(sim::FormatRegistryFaults(faults), back, error)) << error;
    ASSERT_EQ(back.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back[i].operation, faults[i].operation);
        EXPECT_EQ(back[i].error, faults[i].error);
        EXPECT_EQ(back[i].times, faults[i].times);
        EXPECT_EQ(back[i].keyPath, faults[i].keyPath);
    }
    for (const char* bad : {"SetValue five 0 HKLM\\X\n", "SetValue 5 0\n", "SetValue 5 -1 HKLM\n"}) {
        back.clear();
        EXPECT_FALSE(sim::ParseRegistryFaults(bad, back, error)) << bad;
        EXPECT_NE(error.find("line 1"), std::string::npos) << error;
    }
}

TEST(RegistryFaults, AnUnreadableFaultFileFailsCallsLoudly) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    std::filesystem::create_directories(sim::RegistryFaultsFile(m.machine()).parent_path());
    std::ofstream(sim::RegistryFaultsFile(m.machine())) << "nonsense\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(p->registry().OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_CANTREAD);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("registry fault line 1"), std::string::npos);
}

}  // namespace
