// Tests of the simulated registry on a machine: shared state between processes, the WOW64 view, the stored file.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <thread>

#include "platform/win_constants.h"
#include "tests/support/host_files.h"
#include "tests/support/temp_machine.h"

namespace {

using plat::RegRoot;
using plat::RegView;
using testsupport::TempMachine;

std::vector<std::uint8_t> Sz(std::string_view s) {
    std::vector<std::uint8_t> b(s.begin(), s.end());
    b.push_back(0);
    return b;
}

std::string RegistryText(const TempMachine& m) {
    return testsupport::ReadHostFile(m.machine().registryFile());
}

// The string a key's value holds, or "(error N)".
std::string Read(plat::Registry& reg, RegRoot root, const char* path, const char* name,
                 RegView view = RegView::Default) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    std::int32_t rc = reg.QueryValue(root, path, name, type, data, view);
    if (rc != ERROR_SUCCESS) return "(error " + std::to_string(rc) + ")";
    return std::string(data.begin(), data.end() - (data.empty() ? 0 : 1));
}

void Write(plat::Registry& reg, RegRoot root, const char* path, const char* name,
           std::string_view value, RegView view = RegView::Default) {
    ASSERT_EQ(reg.CreateKey(root, path, view), ERROR_SUCCESS) << path;
    ASSERT_EQ(reg.SetValue(root, path, name, REG_SZ, Sz(value), view), ERROR_SUCCESS) << path;
}

TEST(SimRegistry, TwoProcessesOnOneMachineSeeEachOthersChangesAtOnce) {
    TempMachine m("windows-7-x64");
    auto first = m.Process(32);
    auto second = m.Process(64);
    Write(first->registry(), RegRoot::CurrentUser, "Software\\Shared", "v", "from first");
    EXPECT_EQ(Read(second->registry(), RegRoot::CurrentUser, "Software\\Shared", "v"), "from first");
    ASSERT_EQ(second->registry().DeleteValue(RegRoot::CurrentUser, "Software\\Shared", "v",
                                             RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(Read(first->registry(), RegRoot::CurrentUser, "Software\\Shared", "v"),
              "(error 2)");
}

TEST(SimRegistry, ConcurrentWritersOfTwoProcessesLoseNothing) {
    TempMachine m("windows-7-x64");
    auto a = m.Process(32);
    auto b = m.Process(32);
    ASSERT_EQ(a->registry().CreateKey(RegRoot::CurrentUser, "Software\\Busy", RegView::Default),
              ERROR_SUCCESS);
    auto writer = [](plat::Registry& reg, char tag) {
        for (int i = 0; i < 25; ++i) {
            std::string name = std::string(1, tag) + std::to_string(i);
            EXPECT_EQ(reg.SetValue(RegRoot::CurrentUser, "Software\\Busy", name.c_str(), REG_SZ,
                                   Sz(name), RegView::Default),
                      ERROR_SUCCESS);
        }
    };
    std::thread ta(writer, std::ref(a->registry()), 'a');
    std::thread tb(writer, std::ref(b->registry()), 'b');
    ta.join();
    tb.join();
    std::vector<std::string> names;
    ASSERT_EQ(a->registry().EnumValues(RegRoot::CurrentUser, "Software\\Busy", names,
                                       RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(names.size(), 50u);
}

TEST(SimRegistry, A32BitProcessOnA64BitMachineSeesSoftwareThroughWow6432Node) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    Write(p32->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits", "32");
    Write(p64->registry(), RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits", "64");

    auto& r32 = p32->registry();
    auto& r64 = p64->registry();
    EXPECT_EQ(Read(r32, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits"), "32");
    EXPECT_EQ(Read(r64, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits"), "64");
    EXPECT_EQ(Read(r64, RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Vendor", "bits"), "32");
    // The explicit views cross over in both directions.
    EXPECT_EQ(Read(r32, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits", RegView::View64), "64");
    EXPECT_EQ(Read(r64, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "bits", RegView::View32), "32");
    // Naming Wow6432Node is not redirected a second time.
    EXPECT_EQ(Read(r32, RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Vendor", "bits"), "32");

    std::vector<std::string> keys;
    ASSERT_EQ(r64.EnumKeys(RegRoot::LocalMachine, "SOFTWARE", keys, RegView::Default), ERROR_SUCCESS);
    // "Microsoft" holds the machine's own settings, such as its local ports.
    EXPECT_EQ(keys, (std::vector<std::string>{"Classes", "Microsoft", "Vendor", "Wow6432Node"}));
    ASSERT_EQ(r32.EnumKeys(RegRoot::LocalMachine, "SOFTWARE", keys, RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(keys, (std::vector<std::string>{"Classes", "Vendor"}));

    EXPECT_NE(RegistryText(m).find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Vendor]\r\n"
                                   "\"bits\"=\"32\"\r\n"),
              std::string::npos)
        << RegistryText(m);
}

TEST(SimRegistry, OnlyHklmSoftwareAndClassesAreRedirected) {
    TempMachine m("windows-7-x64");
    auto p32 = m.Process(32);
    auto p64 = m.Process(64);
    Write(p32->registry(), RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Print", "v", "system");
    Write(p32->registry(), RegRoot::CurrentUser, "Software\\Vendor", "v", "user");
    Write(p32->registry(), RegRoot::ClassesRoot, "CLSID\\{x}", "v", "class");
    auto& r64 = p64->registry();
    EXPECT_EQ(Read(r64, RegRoot::LocalMachine, "SYSTEM\\CurrentControlSet\\Control\\Print", "v"), "system");
    EXPECT_EQ(Read(r64, RegRoot::CurrentUser, "Software\\Vendor", "v"), "user");
    EXPECT_EQ(Read(r64, RegRoot::ClassesRoot, "CLSID\\{x}", "v"), "(error 2)");
    EXPECT_EQ(Read(r64, RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node\\Classes\\CLSID\\{x}", "v"), "class");
}

TEST(SimRegistry, On32BitMachinesBothViewsAreTheSameAndNothingIsRedirected) {
    for (const char* preset : {"windows-7-x86", "xp-x86"}) {
        TempMachine m(preset);
        auto p = m.Process(32);
        auto& r = p->registry();
        Write(r, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "v", "one", RegView::View64);
        EXPECT_EQ(Read(r, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "v", RegView::View32), "one") << preset;
        EXPECT_EQ(Read(r, RegRoot::LocalMachine, "SOFTWARE\\Vendor", "v"), "one") << preset;
        EXPECT_EQ(r.OpenKey(RegRoot::LocalMachine, "SOFTWARE\\Wow6432Node", RegView::Default),
                  ERROR_FILE_NOT_FOUND)
            << preset;
    }
}

TEST(SimRegistry, TheRootsAndTheUsualKeysOfAFreshMachineExist) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(32);
    auto& r = p->registry();
    for (RegRoot root : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::Users})
        EXPECT_EQ(r.OpenKey(root, "", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.OpenKey(RegRoot::LocalMachine, "SYSTEM", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.DeleteKey(RegRoot::CurrentUser, "", RegView::Default), ERROR_ACCESS_DENIED);
}

TEST(SimRegistry, NamesIgnoreLetterCaseKeepTheFirstSpellingAndEnumerateInOrder) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    auto& r = p->registry();
    for (const char* k : {"Software\\T\\beta", "Software\\T\\Alpha", "Software\\T\\_under", "Software\\T\\ALPHA"})
        ASSERT_EQ(r.CreateKey(RegRoot::CurrentUser, k, RegView::Default), ERROR_SUCCESS);
    std::vector<std::string> keys;
    ASSERT_EQ(r.EnumKeys(RegRoot::CurrentUser, "software\\t", keys, RegView::Default), ERROR_SUCCESS);
    // Ordered as the registry orders names, by their upper-case form: '_' sorts after letters.
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "_under"}));

    Write(r, RegRoot::CurrentUser, "Software\\T", "Value", "1");
    Write(r, RegRoot::CurrentUser, "SOFTWARE\\t", "VALUE", "2");
    std::vector<std::string> values;
    ASSERT_EQ(r.EnumValues(RegRoot::CurrentUser, "Software\\T", values, RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(values, std::vector<std::string>{"Value"});
    EXPECT_EQ(Read(r, RegRoot::CurrentUser, "Software\\T", "value"), "2");
}

TEST(SimRegistry, MalformedKeyPathsAreRefused) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    auto& r = p->registry();
    for (const char* path : {"\\Software\\X", "Software\\\\X"})
        EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, path, RegView::Default), ERROR_BAD_PATHNAME) << path;
    EXPECT_EQ(r.CreateKey(RegRoot::CurrentUser, "Software\\Trailing\\", RegView::Default), ERROR_SUCCESS);
    EXPECT_EQ(r.OpenKey(RegRoot::CurrentUser, "Software\\Trailing", RegView::Default), ERROR_SUCCESS);
}

// Windows takes any character but the backslash in a key name and any in a value name; a line
// break among them once made the file unreadable for every later call on the machine.
TEST(SimRegistry, NamesWithLineBreaksAreStoredAndEveryLaterCallStillWorks) {
    TempMachine m("windows-7-x64");
    auto writer = m.Process(64);
    Write(writer->registry(), RegRoot::LocalMachine, "SOFTWARE\\Bad\nName\\Below", "line\r\nbreak",
          "v1");
    Write(writer->registry(), RegRoot::LocalMachine, "SOFTWARE\\Bad\nName", "", "default");
    Write(writer->registry(), RegRoot::CurrentUser, "Software\\Later", "after", "still works");

    auto reader = m.Process(64);
    auto& r = reader->registry();
    EXPECT_EQ(Read(r, RegRoot::LocalMachine, "SOFTWARE\\Bad\nName\\Below", "line\r\nbreak"), "v1");
    EXPECT_EQ(Read(r, RegRoot::LocalMachine, "SOFTWARE\\Bad\nName", ""), "default");
    EXPECT_EQ(Read(r, RegRoot::CurrentUser, "Software\\Later", "after"), "still works");
    std::vector<std::string> keys, values;
    ASSERT_EQ(r.EnumKeys(RegRoot::LocalMachine, "SOFTWARE", keys, RegView::Default), ERROR_SUCCESS);
    EXPECT_NE(std::find(keys.begin(), keys.end(), "Bad\nName"), keys.end());
    ASSERT_EQ(r.EnumValues(RegRoot::LocalMachine, "SOFTWARE\\Bad\nName\\Below", values,
                           RegView::Default),
              ERROR_SUCCESS);
    EXPECT_EQ(values, std::vector<std::string>{"line\r\nbreak"});
    // The names are not taken apart at the break: no key "Name" below SOFTWARE.
    EXPECT_EQ(r.OpenKey(RegRoot::LocalMachine, "SOFTWARE\\Name", RegView::Default), ERROR_FILE_NOT_FOUND);
    EXPECT_NE(RegistryText(m).find("\\\"Bad\\nName\"\\Below]\r\n\"line\\r\\nbreak\"=\"v1\""),
              std::string::npos)
        << RegistryText(m);
}

TEST(SimRegistry, AChangeByHandToTheFileIsSeenByTheNextCall) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    Write(p->registry(), RegRoot::CurrentUser, "Software\\Edited", "v", "before");
    std::string text = RegistryText(m);
    std::size_t at = text.find("\"before\"");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8, "\"by hand\"");
    std::ofstream(m.machine().registryFile(), std::ios::binary) << text;
    EXPECT_EQ(Read(p->registry(), RegRoot::CurrentUser, "Software\\Edited", "v"), "by hand");
}

TEST(SimRegistry, ACorruptFileFailsEveryCallAndIsLeftAsItIs) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    std::ofstream(m.machine().registryFile(), std::ios::binary) << "garbage\r\n";
    testing::internal::CaptureStderr();
    EXPECT_EQ(p->registry().CreateKey(RegRoot::CurrentUser, "Software\\X", RegView::Default), ERROR_CANTREAD);
    EXPECT_EQ(p->registry().OpenKey(RegRoot::CurrentUser, "Software", RegView::Default), ERROR_CANTREAD);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("registry"), std::string::npos);
    EXPECT_EQ(RegistryText(m), "garbage\r\n");
}

TEST(SimRegistry, SavingLeavesNoTemporaryFileBehind) {
    TempMachine m("windows-7-x64");
    auto p = m.Process(64);
    Write(p->registry(), RegRoot::CurrentUser, "Software\\X", "v", "1");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(m.machine().dir()))
        names.push_back(e.path().filename().string());
    for (const std::string& n : names) EXPECT_EQ(n.find(".tmp"), std::string::npos) << n;
}

}  // namespace
