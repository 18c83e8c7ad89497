// CopyPackageFile: the package copy, the universal-driver family's system sources and the
// destination directories.
#include "setup/engine/CopyPackageFile.h"

#include <algorithm>
#include <cctype>

#include "platform/win_constants.h"
#include "setup/engine/Redirection.h"

namespace setup {

namespace {

constexpr std::uint32_t kPathSize = 260;

bool Exists(EngineContext& ctx, const std::string& path) {
    return ctx.platform.files().GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WindowsDirectory(EngineContext& ctx, std::string& out) {
    char buffer[kPathSize] = {};
    const std::uint32_t n = ctx.platform.files().GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return false;
    out.assign(buffer, n);
    return true;
}

bool TempDirectory(EngineContext& ctx, std::string& out) {
    char buffer[kPathSize] = {};
    const std::uint32_t n = ctx.platform.files().GetTempPathA(sizeof buffer, buffer);
    if (n == 0 || n >= sizeof buffer) return false;
    out.assign(buffer, n);
    return true;
}

void EnsureDirectory(EngineContext& ctx, const std::string& path) {
    if (!Exists(ctx, path)) ctx.platform.files().CreateDirectoryA(path.c_str());
}

int InUseOrDenied(std::uint32_t error) {
    if (error == ERROR_SHARING_VIOLATION) return kCopyInUse;
    if (error == ERROR_ACCESS_DENIED) return kCopyDenied;
    return kCopyFailed;
}

// Vista and later keep the universal driver in the driver store's "ntprint*" folder.
int CopyFromDriverStore(EngineContext& ctx, const std::string& name,
                        const std::string& driverDir) {
    std::string windows;
    if (!WindowsDirectory(ctx, windows)) {
        ctx.result.Set(ctx.Text("IDS_ERR_ALLOCMEMORY"));
        return kCopyFailed;
    }
    const std::string repository = windows + "\\System32\\DriverStore\\FileRepository\\";
    std::string folder;
    std::uint32_t searchError = ERROR_FILE_NOT_FOUND;
    {
        RedirectionSuspension suspension(ctx.platform, ctx.is64Bit);
        if (suspension.failed()) return kCopyFailed;
        std::vector<plat::FindData> found;
        if (ctx.platform.files().FindFiles((repository + "ntprint*").c_str(), found)) {
            for (const auto& entry : found)
                if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
                    folder = entry.name;
                    break;
                }
        } else {
            searchError = ctx.LastError();
        }
    }
    if (folder.empty()) {
        ctx.result.Set("Couldn't find system files.");
        const std::string message = ctx.SystemMessage(searchError);
        if (!message.empty()) ctx.result.Append("\n" + message);
        return kCopyFailed;
    }
    const std::string source =
        repository + folder + (ctx.is64Bit ? "\\AMD64\\" : "\\I386\\") + name;
    const std::string destination = driverDir + "\\" + name;
    bool copied = false;
    std::uint32_t error = 0;
    {
        RedirectionSuspension suspension(ctx.platform, ctx.is64Bit);
        if (suspension.failed()) return kCopyFailed;
        copied = ctx.platform.files().CopyFileA(source.c_str(), destination.c_str(), false);
        if (!copied) error = ctx.LastError();
    }
    if (copied) return kCopied;
    if (int r = InUseOrDenied(error); r != kCopyFailed) return r;
    ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL") + name);
    const std::string message = ctx.SystemMessage(error);
    if (!message.empty()) ctx.result.Append("\n" + message + source);
    return kCopyFailed;
}

// 2000, XP and 2003 keep it in the "Driver Cache" cabinets; a miss falls back to the package.
bool CopyFromDriverCache(EngineContext& ctx, const std::string& name,
                         const std::string& driverDir) {
    if (ctx.cabinetExtractionAllowed) {
        ctx.cabinetExtractionAllowed = false;
        if (!ExtractUniversalDriverFromCabinets(ctx)) return false;
    }
    std::string temp;
    if (!TempDirectory(ctx, temp)) return false;
    return ctx.platform.files().CopyFileA((temp + name).c_str(),
                                          (driverDir + "\\" + name).c_str(), false);
}

bool DestinationDirectory(EngineContext& ctx, DestinationKind kind, std::string& out) {
    switch (kind) {
    case DEST_DRIVER:
        return PrinterDriverDirectory(ctx, out);
    case DEST_DRIVER_3:
        if (!PrinterDriverDirectory(ctx, out)) return false;
        out += "\\3";
        return true;
    case DEST_PROCESSOR:
        return PrintProcessorDirectory(ctx, out);
    case DEST_SYSTEM:
    case DEST_SYSTEM_IF_ABSENT:
        return SystemDirectory(ctx, out);
    case DEST_WBEM_IF_ABSENT:
        if (!SystemDirectory(ctx, out)) return false;
        out += "\\wbem";
        return true;
    }
    return false;
}

bool CreatesDirectory(DestinationKind kind) {
    return kind == DEST_DRIVER || kind == DEST_DRIVER_3 || kind == DEST_PROCESSOR ||
           kind == DEST_WBEM_IF_ABSENT;
}

// The package's own copy, from "W32\" or "W64\" below the current directory.
int CopyFromPackage(EngineContext& ctx, const std::string& name, DestinationKind kind,
                    bool useAlternateName) {
    if (name.empty() || name[0] == '0') return kCopyFailed;
    std::string directory;
    if (!DestinationDirectory(ctx, kind, directory)) return kCopyFailed;
    if (CreatesDirectory(kind)) EnsureDirectory(ctx, directory);
    if (kind == DEST_SYSTEM_IF_ABSENT || kind == DEST_WBEM_IF_ABSENT) {
        if (Exists(ctx, directory + "\\" + name)) return kCopied;
        // From Vista on the system directory's own copy serves as well.
        if (kind == DEST_WBEM_IF_ABSENT && ctx.os >= 5) {
            std::string system;
            if (SystemDirectory(ctx, system) && Exists(ctx, system + "\\" + name)) return kCopied;
        }
    }
    char current[kPathSize] = {};
    const std::uint32_t n = ctx.platform.files().GetCurrentDirectoryA(sizeof current, current);
    if (n == 0 || n >= sizeof current) {
        ctx.result.Set(ctx.Text("IDS_ERR_GETCURDIR"));
        return kCopyFailed;
    }
    const std::string source =
        std::string(current, n) + (ctx.is64Bit ? "\\W64\\" : "\\W32\\") + name;
    const std::string destination =
        directory + "\\" + (useAlternateName ? "n" + name : name);

    bool copied = false;
    std::uint32_t error = 0;
    {
        // A 32-bit program's System32 is SysWOW64 on 64-bit Windows; monitors belong in the
        // native one. The read-only flag is cleared on the file that is then replaced.
        const bool suspend = kind == DEST_SYSTEM && ctx.is64Bit;
        RedirectionSuspension suspension(ctx.platform, suspend);
        if (suspension.failed()) return kCopyFailed;
        ctx.platform.files().SetFileAttributesA(destination.c_str(), FILE_ATTRIBUTE_ARCHIVE);
        copied = ctx.platform.files().CopyFileA(source.c_str(), destination.c_str(), false);
        if (!copied) error = ctx.LastError();
    }
    if (copied) return kCopied;
    if (int r = InUseOrDenied(error); r != kCopyFailed) return r;
    ctx.result.Set(ctx.Text("IDS_ERR_COPYFIEL"));
    const std::string message = ctx.SystemMessage(error);
    if (!message.empty())
        ctx.result.Append(name + "\n" + message + ctx.Text("IDS_ERR_COPYFIEL1"));
    return kCopyFailed;
}

}  // namespace

const char* DestinationName(DestinationKind kind) {
    switch (kind) {
    case DEST_DRIVER: return "DEST_DRIVER";
    case DEST_DRIVER_3: return "DEST_DRIVER_3";
    case DEST_PROCESSOR: return "DEST_PROCESSOR";
    case DEST_SYSTEM: return "DEST_SYSTEM";
    case DEST_SYSTEM_IF_ABSENT: return "DEST_SYSTEM_IF_ABSENT";
    case DEST_WBEM_IF_ABSENT: return "DEST_WBEM_IF_ABSENT";
    }
    return "?";
}

bool IsUniversalDriverFile(const std::string& upperName) {
    for (const char* family : {"UNIDRV", "STDNAMES", "TTFSUB", "UNIRES"})
        if (upperName.find(family) != std::string::npos) return true;
    return false;
}

bool PrinterDriverDirectory(EngineContext& ctx, std::string& out) {
    char buffer[kPathSize] = {};
    std::uint32_t needed = 0;
    if (!ctx.platform.printerSetup().GetPrinterDriverDirectoryA(
            ctx.DirectoryEnvironment(), 1, buffer, sizeof buffer, needed)) {
        // The spooler's own reason (typically: it is not running) follows the text.
        ctx.SetFailure("IDS_ERR_GETDRIVERDIR", ctx.LastError());
        return false;
    }
    buffer[kPathSize - 1] = '\0';
    out = buffer;
    return true;
}

bool PrintProcessorDirectory(EngineContext& ctx, std::string& out) {
    char buffer[kPathSize] = {};
    std::uint32_t needed = 0;
    if (!ctx.platform.printerSetup().GetPrintProcessorDirectoryA(
            ctx.DirectoryEnvironment(), 1, buffer, sizeof buffer, needed)) {
        ctx.SetFailure("IDS_ERR_GETPRODIR", ctx.LastError());
        return false;
    }
    buffer[kPathSize - 1] = '\0';
    out = buffer;
    return true;
}

bool SystemDirectory(EngineContext& ctx, std::string& out) {
    char buffer[kPathSize] = {};
    const std::uint32_t n = ctx.platform.files().GetSystemDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) {
        ctx.result.Set(ctx.Text("IDS_ERR_GETSYSDIR"));
        return false;
    }
    out.assign(buffer, n);
    return true;
}

int CopyPackageFile(EngineContext& ctx, std::string& name, DestinationKind kind,
                    bool useAlternateName) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (IsUniversalDriverFile(name) && ctx.os >= 2) {
        std::string driverDir;
        // Without the driver directory the package copy below reports it.
        if (PrinterDriverDirectory(ctx, driverDir)) {
            if (Exists(ctx, driverDir + "\\" + name)) return kCopied;
            if (ctx.os >= 5) return CopyFromDriverStore(ctx, name, driverDir);
            if (CopyFromDriverCache(ctx, name, driverDir)) return kCopied;
        }
    }
    return CopyFromPackage(ctx, name, kind, useAlternateName);
}

}  // namespace setup
