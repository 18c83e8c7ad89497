// The universal driver from the "Driver Cache" cabinets, and the extra files a Windows version
// needs beside the model's own.
#include <algorithm>
#include <cstring>

#include "platform/win_constants.h"
#include "setup/engine/CopyPackageFile.h"

namespace setup {

namespace {

// The universal-driver files the cabinets are searched for, compared exactly as written.
constexpr const char* kCabinetFamily[] = {"unidrvui.dll", "unidrv.dll",   "unires.dll",
                                          "unidrv.hlp",   "stdnames.gpd", "ttfsub.gpd"};

bool IsCabinetFamilyName(const char* name) {
    if (name == nullptr) return false;
    for (const char* wanted : kCabinetFamily)
        if (std::strcmp(name, wanted) == 0) return true;
    return false;
}

bool ReadDirectory(std::uint32_t n, std::uint32_t size) { return n != 0 && n < size; }

}  // namespace

bool ExtractUniversalDriverFromCabinets(EngineContext& ctx) {
    auto& files = ctx.platform.files();
    char windows[260] = {};
    const std::uint32_t wn = files.GetWindowsDirectoryA(windows, sizeof windows);
    char temp[260] = {};
    const std::uint32_t tn = files.GetTempPathA(sizeof temp, temp);
    if (!ReadDirectory(wn, sizeof windows) || !ReadDirectory(tn, sizeof temp)) return false;
    const std::string folder = std::string(windows, wn) +
                               (ctx.is64Bit ? "\\Driver Cache\\AMD64\\" : "\\Driver Cache\\i386\\");
    std::vector<plat::FindData> cabinets;
    if (!files.FindFiles((folder + "*.cab").c_str(), cabinets)) return false;

    const std::string target(temp, tn);
    const plat::CabinetCallback callback = [&target](std::uint32_t notification,
                                                     std::uintptr_t param1,
                                                     std::uintptr_t) -> std::uint32_t {
        if (notification != SPFILENOTIFY_FILEINCABINET) return 0;
        auto* info = reinterpret_cast<plat::FILE_IN_CABINET_INFO_A*>(param1);
        if (!IsCabinetFamilyName(info->NameInCabinet)) return FILEOP_SKIP;
        const std::string full = target + info->NameInCabinet;
        const std::size_t n = std::min(full.size(), sizeof info->FullTargetName - 1);
        std::memcpy(info->FullTargetName, full.data(), n);
        info->FullTargetName[n] = '\0';
        return FILEOP_DOIT;
    };
    bool lastWalked = false;
    for (const auto& cabinet : cabinets)
        lastWalked = ctx.platform.deviceInstallation().SetupIterateCabinetA(
            (folder + cabinet.name).c_str(), callback);
    return lastWalked;
}

void CopySystemExtras(EngineContext& ctx, bool minidriverSwitch) {
    if (ctx.os == 0) {
        std::string iconLib = "ICONLIB.DLL";
        CopyPackageFile(ctx, iconLib, DEST_DRIVER, false);
        auto& files = ctx.platform.files();
        char system[260] = {};
        const std::uint32_t sn = files.GetSystemDirectoryA(system, sizeof system);
        char windows[260] = {};
        const std::uint32_t wn = files.GetWindowsDirectoryA(windows, sizeof windows);
        if (!ReadDirectory(sn, sizeof system) || !ReadDirectory(wn, sizeof windows)) {
            ctx.result.Set(ctx.Text("IDS_ERR_ALLOCMEMORY"));
            return;
        }
        const std::string installed = std::string(system, sn) + "\\UNIDRV.DLL";
        if (files.OpenExisting(installed.c_str(), GENERIC_READ, FILE_SHARE_READ)) return;
        const std::string backup = std::string(windows, wn) + "\\Sysbckup\\UNIDRV.DLL";
        if (files.CopyFileA(backup.c_str(), installed.c_str(), true)) return;
        std::string unidrv = "UNIDRV.DLL";
        CopyPackageFile(ctx, unidrv, DEST_DRIVER, false);
        return;
    }
    if (ctx.os == 1 || !minidriverSwitch) return;
    for (const char* extra : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"}) {
        std::string name = extra;
        CopyPackageFile(ctx, name, DEST_DRIVER, false);
    }
}

}  // namespace setup
