// Tests of the system files new machines carry: every preset has the universal-driver family
// where its Windows keeps it (Driver Cache cabinets or the driver store), and the XP-era
// components where they exist.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

const std::vector<std::string> kFamily = {"STDNAMES.GPD", "TTFSUB.GPD", "UNIDRV.DLL",
                                          "UNIDRV.HLP",   "UNIDRVUI.DLL", "UNIRES.DLL"};

enum class Family { None, Cabinets, DriverStore };

struct Expected {
    const char* preset;
    Family family;
    std::vector<std::string> i386Cabinets;   // Driver Cache\i386, listing order
    std::vector<std::string> amd64Cabinets;  // Driver Cache\AMD64
    const char* storePrefix;                 // the ntprint folder's name before its 16 hex digits
    const char* storeArchDir;                // I386 or Amd64
    bool srclient;                           // System Restore's client in System32
    const char* framedyn;                    // where framedyn.dll is, below the Windows directory
};

const std::vector<Expected>& ExpectedPerPreset() {
    static const std::vector<Expected> table = {
        {"windows-95", Family::None, {}, {}, "", "", false, ""},
        {"windows-98", Family::None, {}, {}, "", "", false, ""},
        {"windows-me", Family::None, {}, {}, "", "", false, ""},
        {"nt4-x86", Family::None, {}, {}, "", "", false, ""},
        {"windows-2000-x86", Family::Cabinets, {"driver.cab", "sp4.cab"}, {}, "", "", false,
         "System32\\wbem\\framedyn.dll"},
        {"xp-x86", Family::Cabinets, {"driver.cab", "sp3.cab"}, {}, "", "", true,
         "System32\\wbem\\framedyn.dll"},
        {"xp-x64", Family::Cabinets, {"driver.cab", "sp2.cab"}, {"driver.cab", "sp2.cab"}, "", "",
         true, "System32\\wbem\\framedyn.dll"},
        {"server-2003-x86", Family::Cabinets, {"driver.cab", "sp2.cab"}, {}, "", "", false,
         "System32\\wbem\\framedyn.dll"},
        {"server-2003-x64", Family::Cabinets, {"driver.cab", "sp2.cab"}, {"driver.cab", "sp2.cab"},
         "", "", false, "System32\\wbem\\framedyn.dll"},
        {"vista-x86", Family::DriverStore, {}, {}, "ntprint.inf_x86_neutral_", "I386", true,
         "System32\\framedyn.dll"},
        {"vista-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_neutral_", "Amd64", true,
         "System32\\framedyn.dll"},
        {"server-2008-x86", Family::DriverStore, {}, {}, "ntprint.inf_x86_neutral_", "I386", false,
         "System32\\framedyn.dll"},
        {"server-2008-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_neutral_", "Amd64",
         false, "System32\\framedyn.dll"},
        {"server-2008-r2-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_neutral_", "Amd64",
         false, "System32\\framedyn.dll"},
        {"windows-7-x86", Family::DriverStore, {}, {}, "ntprint.inf_x86_neutral_", "I386", true,
         "System32\\framedyn.dll"},
        {"windows-7-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_neutral_", "Amd64", true,
         "System32\\framedyn.dll"},
        {"windows-8.1-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_", "Amd64", true,
         "System32\\framedyn.dll"},
        {"windows-10-x64", Family::DriverStore, {}, {}, "ntprint.inf_amd64_", "Amd64", true,
         "System32\\framedyn.dll"},
    };
    return table;
}

std::vector<std::string> List(plat::Platform& p, const std::string& pattern) {
    std::vector<plat::FindData> entries;
    std::vector<std::string> names;
    if (p.files().FindFiles(pattern.c_str(), entries))
        for (const plat::FindData& e : entries) names.push_back(e.name);
    return names;
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The upper-cased names a cabinet holds, through the machine's own cabinet iteration.
std::set<std::string> CabinetNames(plat::Platform& p, const std::string& cabinet) {
    std::set<std::string> names;
    auto collect = [&](std::uint32_t n, std::uintptr_t p1, std::uintptr_t) -> std::uint32_t {
        if (n == SPFILENOTIFY_FILEINCABINET)
            names.insert(Upper(reinterpret_cast<plat::FILE_IN_CABINET_INFO_A*>(p1)->NameInCabinet));
        return n == SPFILENOTIFY_FILEINCABINET ? FILEOP_SKIP : NO_ERROR;
    };
    EXPECT_TRUE(p.deviceInstallation().SetupIterateCabinetA(cabinet.c_str(), collect)) << cabinet;
    return names;
}

TEST(SystemFiles, TheTableCoversEveryPreset) {
    for (const sim::Preset& preset : sim::Presets()) {
        const auto& table = ExpectedPerPreset();
        EXPECT_TRUE(std::any_of(table.begin(), table.end(),
                                [&](const Expected& e) { return preset.name == e.preset; }))
            << preset.name << " has no row: say where its Windows keeps the family";
    }
}

TEST(SystemFiles, EveryPresetHasTheUniversalDriverFamilyWhereItsWindowsKeepsIt) {
    for (const Expected& e : ExpectedPerPreset()) {
        SCOPED_TRACE(e.preset);
        TempMachine m(e.preset);
        const sim::MachineSettings& s = m.machine().settings();
        // A native process: on 64-bit machines the native System32 holds the driver store.
        auto p = m.Process(s.is64Bit() ? 64 : 32);
        const std::string windir = s.windowsDir;

        EXPECT_EQ(List(*p, windir + "\\Driver Cache\\i386\\*.cab"), e.i386Cabinets);
        EXPECT_EQ(List(*p, windir + "\\Driver Cache\\AMD64\\*.cab"), e.amd64Cabinets);
        for (const auto* cabinets : {&e.i386Cabinets, &e.amd64Cabinets}) {
            const std::string dir =
                windir + (cabinets == &e.i386Cabinets ? "\\Driver Cache\\i386\\" : "\\Driver Cache\\AMD64\\");
            if (cabinets->empty()) continue;
            // The first cabinet holds the whole family beside other files.
            std::set<std::string> names = CabinetNames(*p, dir + cabinets->front());
            for (const std::string& f : kFamily) EXPECT_TRUE(names.count(f)) << f;
            EXPECT_GT(names.size(), kFamily.size());
        }

        const std::string repository = windir + "\\System32\\DriverStore\\FileRepository\\";
        std::vector<std::string> stores = List(*p, repository + "ntprint*");
        if (e.family != Family::DriverStore) {
            EXPECT_TRUE(stores.empty());
            continue;
        }
        ASSERT_EQ(stores.size(), 1u);
        const std::string& folder = stores[0];
        const std::string prefix = e.storePrefix;
        ASSERT_EQ(folder.size(), prefix.size() + 16) << folder;
        EXPECT_EQ(folder.substr(0, prefix.size()), prefix);
        EXPECT_TRUE(std::all_of(folder.begin() + prefix.size(), folder.end(),
                                [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            << folder;
        std::vector<std::string> files = List(*p, repository + folder + "\\" + e.storeArchDir + "\\*");
        for (std::string& f : files) f = Upper(f);
        EXPECT_EQ(files, kFamily);
        // The stand-in says where it comes from, so a test can tell it from the package's copy.
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(p->files().ReadWholeFile(
            (repository + folder + "\\" + e.storeArchDir + "\\unidrv.dll").c_str(), bytes));
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_NE(text.find(s.productName), std::string::npos) << text;
        EXPECT_NE(text.find(s.is64Bit() ? "(x64)" : "(x86)"), std::string::npos) << text;
        EXPECT_NE(text.find("driver store"), std::string::npos) << text;
    }
}

TEST(SystemFiles, TheXpEraComponentsAreWhereTheirWindowsHasThem) {
    for (const Expected& e : ExpectedPerPreset()) {
        SCOPED_TRACE(e.preset);
        TempMachine m(e.preset);
        const sim::MachineSettings& s = m.machine().settings();
        auto p = m.Process(s.is64Bit() ? 64 : 32);
        auto exists = [&](const std::string& relative) {
            return p->files().GetFileAttributesA((s.windowsDir + "\\" + relative).c_str()) !=
                   INVALID_FILE_ATTRIBUTES;
        };
        const bool nt5OrLater = e.family != Family::None;
        EXPECT_EQ(exists("System32\\newdev.dll"), nt5OrLater);
        EXPECT_EQ(exists("System32\\srclient.dll"), e.srclient);
        if (nt5OrLater) {
            EXPECT_TRUE(exists(e.framedyn));
        } else {
            EXPECT_FALSE(exists("System32\\wbem\\framedyn.dll"));
            EXPECT_FALSE(exists("System32\\framedyn.dll"));
        }
        // 64-bit machines keep the 32-bit components in SysWOW64 too.
        if (s.is64Bit()) {
            EXPECT_TRUE(exists("SysWOW64\\newdev.dll"));
        }
    }
}

TEST(SystemFiles, TheServicePackCabinetCarriesNewerFamilyFilesOfItsWindows) {
    TempMachine m("xp-x86");
    auto p = m.Process(32);
    auto extractUnidrv = [&](std::uint32_t n, std::uintptr_t p1, std::uintptr_t) -> std::uint32_t {
        if (n != SPFILENOTIFY_FILEINCABINET) return NO_ERROR;
        auto* f = reinterpret_cast<plat::FILE_IN_CABINET_INFO_A*>(p1);
        if (std::string(f->NameInCabinet) != "unidrv.dll") return FILEOP_SKIP;
        std::snprintf(f->FullTargetName, sizeof f->FullTargetName, "C:\\WINDOWS\\Temp\\unidrv.dll");
        return FILEOP_DOIT;
    };
    ASSERT_TRUE(p->deviceInstallation().SetupIterateCabinetA(
        "C:\\WINDOWS\\Driver Cache\\i386\\sp3.cab", extractUnidrv));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(p->files().ReadWholeFile("C:\\WINDOWS\\Temp\\unidrv.dll", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "unidrv.dll: stand-in for the universal printer driver (rendering) of Windows XP "
              "Service Pack 3 (x86), from sp3.cab\r\n");
}

}  // namespace
