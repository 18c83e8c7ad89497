// The USB device driver: comparing the package's "ZADO450DEZ.ure" with the installed one, and
// running the package's device-driver installer (Install.exe "2") and waiting for it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "setup/engine/UsbPrinterId.h"

namespace setup {

inline constexpr const char* kUsbDriverFile = "ZADO450DEZ.ure";
inline constexpr const char* kUsbDriverInf = "WNZK450USB.INF";
inline constexpr const char* kUsbDriverInstaller = "Install.exe";
// What a file without a readable version resource reads as.
inline constexpr const char* kNoFileVersion = "0.0.0.0";

// The waits around the installer, in milliseconds.
inline constexpr std::uint32_t kInstallerStartPause = 500;
inline constexpr std::uint32_t kInstallerWindowPoll = 1000;
inline constexpr std::uint32_t kInstallerSettlePause = 3000;
inline constexpr std::uint32_t kUsbPrinterWait = 30000;
// Between two queries for the printer in that wait, so the USB library is not polled in a
// tight loop for 30 seconds.
inline constexpr std::uint32_t kUsbPrinterPoll = 1000;

// The FileVersion string of the file's version resource, looked up through its first
// translation entry; "0.0.0.0" when there is none or it is empty.
std::string ReadFileVersionText(plat::FileVersions& versions, const std::string& path);

// The characters at the even positions of a version text read as a decimal number: "1.0.0.1"
// gives 1001. Only the leading digits count; none gives 0.
std::uint64_t UsbDriverVersionNumber(const std::string& versionText);

// What the driver check and the installer run work with.
struct UsbDriverContext {
    plat::Platform& platform;
    bool is64Bit;  // a 32-bit setup on 64-bit Windows: the x64 folder, redirection suspended
    plat::WindowRef owner = 0;
    std::string caption;  // of the message boxes
};

// "<directory of the running setup>\USBDRV\USBDriver" ("USBDriver_x64" on 64-bit Windows),
// without a closing backslash; empty when the program's path cannot be read.
std::string PackageUsbDriverDirectory(UsbDriverContext& context);
// "<Windows directory>\system32\drivers\ZADO450DEZ.ure"; empty when the directory cannot be read.
std::string InstalledUsbDriverPath(UsbDriverContext& context);

// The installed driver's version text. On 64-bit Windows it is read again with redirection
// suspended, and that reading counts; missing redirection functions are reported in boxes.
std::string ReadInstalledUsbDriverVersion(UsbDriverContext& context);

// -1: no driver installed (installed number 0); 1: the installed one is older than the
// package's; 0: the same text, or the installed one is not older.
int CompareUsbDriver(UsbDriverContext& context);

// Whether the port page tells the person that the USB driver will be installed: on OS index 2
// and above while the installed driver reads "0.0.0.0".
bool ShowsUsbDriverNotice(UsbDriverContext& context, int osIndex);

// Starts Install.exe "2" from the package's USB folder and waits: 500 ms, then every second
// while a top-level window titled `installerTitle` exists, then 3000 ms, and in Advanced mode
// (`typical` false) until a USB printer answers or 30 s have passed.
void RunUsbDriverInstaller(UsbDriverContext& context, UsbIdContext& usb, bool typical,
                           const std::string& installerTitle);

// The USB preparation of the Install button: the printer is queried once; on OS index 2 and
// above the installer runs when the installed driver is missing or older, or no printer
// answered. Returns whether the installer ran.
bool PrepareUsbDriver(UsbDriverContext& context, UsbIdContext& usb, int detectedOs, bool typical,
                      const std::string& installerTitle);

}  // namespace setup
