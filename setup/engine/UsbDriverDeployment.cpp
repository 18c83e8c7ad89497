// Comparing the package's USB device driver with the installed one, and running the package's
// device-driver installer.
#include "setup/engine/UsbDriverDeployment.h"

#include <cstdio>
#include <vector>

#include "platform/win_constants.h"
#include "setup/engine/Redirection.h"

namespace setup {

namespace {

constexpr std::size_t kPathSize = 260;

// The part of a path before its last backslash.
std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string ReadFileVersionText(plat::FileVersions& versions, const std::string& path) {
    std::uint32_t handle = 0;
    const std::uint32_t size = versions.GetFileVersionInfoSizeA(path.c_str(), handle);
    if (size == 0) return kNoFileVersion;
    std::vector<std::uint8_t> block(size);
    if (!versions.GetFileVersionInfoA(path.c_str(), handle, size, block.data()))
        return kNoFileVersion;
    void* value = nullptr;
    std::uint32_t length = 0;
    // A translation entry is two 16-bit words: language, then code page.
    if (!versions.VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", value, length) ||
        value == nullptr || length < 4)
        return kNoFileVersion;
    const auto* entry = static_cast<const std::uint8_t*>(value);
    const unsigned language = entry[0] | entry[1] << 8;
    const unsigned codePage = entry[2] | entry[3] << 8;
    char subBlock[64];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\FileVersion", language,
                  codePage);
    if (!versions.VerQueryValueA(block.data(), subBlock, value, length) || value == nullptr ||
        length == 0)
        return kNoFileVersion;
    // `length` counts the terminator; the text stops at the first zero either way.
    const auto* text = static_cast<const char*>(value);
    std::string result;
    for (std::uint32_t i = 0; i < length && text[i] != '\0'; ++i) result += text[i];
    return result.empty() ? kNoFileVersion : result;
}

std::uint64_t UsbDriverVersionNumber(const std::string& versionText) {
    std::uint64_t number = 0;
    for (std::size_t i = 0; i < versionText.size(); i += 2) {
        const char c = versionText[i];
        if (c < '0' || c > '9') break;
        // Longer texts than the driver's four fields are outside its contract; they must
        // only not overflow.
        if (number > (UINT64_MAX - 9) / 10) break;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

std::string PackageUsbDriverDirectory(UsbDriverContext& context) {
    char module[kPathSize] = {};
    const std::uint32_t n = context.platform.files().GetModuleFileNameA(module, sizeof module);
    if (n == 0 || n >= sizeof module) return {};
    return DirectoryOf(module) + (context.is64Bit ? "\\USBDRV\\USBDriver_x64" : "\\USBDRV\\USBDriver");
}

std::string InstalledUsbDriverPath(UsbDriverContext& context) {
    char windows[kPathSize] = {};
    const std::uint32_t n = context.platform.files().GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows) return {};
    return std::string(windows) + "\\system32\\drivers\\" + kUsbDriverFile;
}

std::string ReadInstalledUsbDriverVersion(UsbDriverContext& context) {
    const std::string path = InstalledUsbDriverPath(context);
    if (path.empty()) return kNoFileVersion;
    plat::FileVersions& versions = context.platform.fileVersions();
    std::string text = ReadFileVersionText(versions, path);
    if (!context.is64Bit) return text;
    // A 32-bit program reads SysWOW64 above; the driver lives in the native System32.
    RedirectionSuspension suspension(context.platform, true);
    ShowRedirectionProblems(context.platform.desktop(), context.owner, context.caption.c_str(),
                            suspension);
    text = ReadFileVersionText(versions, path);
    return text;
}

int CompareUsbDriver(UsbDriverContext& context) {
    const std::string packageDir = PackageUsbDriverDirectory(context);
    const std::string packageText =
        packageDir.empty()
            ? std::string(kNoFileVersion)
            : ReadFileVersionText(context.platform.fileVersions(),
                                  packageDir + "\\" + kUsbDriverFile);
    const std::string installedText = ReadInstalledUsbDriverVersion(context);
    if (installedText == packageText) return 0;
    const std::uint64_t installed = UsbDriverVersionNumber(installedText);
    if (installed == 0) return -1;
    if (installed < UsbDriverVersionNumber(packageText)) return 1;
    return 0;
}

bool ShowsUsbDriverNotice(UsbDriverContext& context, int osIndex) {
    return osIndex >= 2 && ReadInstalledUsbDriverVersion(context) == kNoFileVersion;
}

void RunUsbDriverInstaller(UsbDriverContext& context, UsbIdContext& usb, bool typical,
                           const std::string& installerTitle) {
    plat::FileSystem& files = context.platform.files();
    plat::SystemInfo& system = context.platform.system();
    plat::Desktop& desktop = context.platform.desktop();
    const std::string dir = PackageUsbDriverDirectory(context);
    // Install must be able to copy and replace them, also from a read-only medium's copy.
    files.SetFileAttributesA((dir + "\\" + kUsbDriverFile).c_str(), FILE_ATTRIBUTE_ARCHIVE);
    files.SetFileAttributesA((dir + "\\" + kUsbDriverInf).c_str(), FILE_ATTRIBUTE_ARCHIVE);

    const std::string installer = dir + "\\" + kUsbDriverInstaller;
    const std::intptr_t started = desktop.ShellExecuteA(context.owner, "open", installer.c_str(),
                                                        "2", nullptr, SW_SHOWNORMAL);
    if (started <= 32) {
        const std::string code =
            std::to_string(context.platform.lastError().GetLastError());
        desktop.MessageBoxA(context.owner, code.c_str(), context.caption.c_str(), MB_OK);
    }

    // Install is not waited for by handle: it runs while its window is open.
    system.Sleep(kInstallerStartPause);
    // An empty title would match any untitled window and could keep the wizard waiting for ever.
    if (!installerTitle.empty()) {
        while (desktop.FindWindowA(nullptr, installerTitle.c_str()) != 0)
            system.Sleep(kInstallerWindowPoll);
    }
    system.Sleep(kInstallerSettlePause);

    if (typical) return;
    // Advanced mode needs the printer for its identity check: give it time to appear.
    const std::uint32_t start = system.GetTickCount();
    while (QueryUsbPrinterId(usb) == kNoUsbPrinter) {
        if (system.GetTickCount() - start >= kUsbPrinterWait) break;
        system.Sleep(kUsbPrinterPoll);
    }
}

bool PrepareUsbDriver(UsbDriverContext& context, UsbIdContext& usb, int detectedOs, bool typical,
                      const std::string& installerTitle) {
    const int printer = QueryUsbPrinterId(usb);
    if (detectedOs < 2) return false;
    if (CompareUsbDriver(context) == 0 && printer != kNoUsbPrinter) return false;
    RunUsbDriverInstaller(context, usb, typical, installerTitle);
    return true;
}

}  // namespace setup
