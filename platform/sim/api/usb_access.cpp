// The USB access library's stand-in over the simulated machine's attached USB printers.
#include "platform/sim/api/usb_access.h"

#include <sstream>

#include "platform/sim/state/host_file.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/sim/state/wow64_paths.h"

namespace sim {

namespace {

const char* const kFunctions[] = {"OpenDeviceX", "GetPrinterInternalID", "uWrite",
                                  "CloseDevice", "GetDescriptor"};

bool HasDirectoryPart(const std::string& name) {
    return name.find_first_of("\\/:") != std::string::npos;
}

std::string DirectoryOf(const std::string& windowsPath) {
    const auto at = windowsPath.find_last_of('\\');
    return at == std::string::npos ? std::string() : windowsPath.substr(0, at);
}

}  // namespace

std::set<std::string> ExportsOfUsbLibraryFile(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first != "exports:") continue;
        std::set<std::string> named;
        for (std::string w; words >> w;) named.insert(w);
        return named;
    }
    return std::set<std::string>(std::begin(kFunctions), std::end(kFunctions));
}

std::optional<std::string> SimUsbAccess::FindLibraryFile(const std::string& name) const {
    std::vector<std::string> candidates;
    if (HasDirectoryPart(name)) {
        candidates.push_back(name);
    } else {
        candidates.push_back(DirectoryOf(process_.modulePath) + "\\" + name);
        std::string system = machine_.settings().systemDir() + "\\" + name;
        if (process_.bits == 32) system = RedirectedPath(machine_.settings(), system);
        candidates.push_back(system);
    }
    for (const std::string& path : candidates) {
        const auto host = machine_.HostPath(path);
        std::string text;
        if (!host.empty() && std::filesystem::is_regular_file(host) && ReadWholeFile(host, text))
            return text;
    }
    return std::nullopt;
}

std::unique_ptr<plat::UsbAccessLibrary> SimUsbAccess::Load(const char* libraryName) {
    if (!libraryName || !*libraryName) return nullptr;
    const auto text = FindLibraryFile(libraryName);
    if (!text) return nullptr;
    const std::set<std::string> exports = ExportsOfUsbLibraryFile(*text);
    auto library = std::make_unique<plat::UsbAccessLibrary>();
    const Machine* machine = &machine_;
    if (exports.count("OpenDeviceX")) {
        library->OpenDeviceX = [machine](int index) -> plat::UsbDeviceHandle {
            const auto printers = ReadUsbPrinters(*machine);
            if (index < 0 || index >= static_cast<int>(printers.size())) return 0;
            return printers[static_cast<std::size_t>(index)].slot + 1;
        };
    }
    if (exports.count("GetPrinterInternalID")) {
        library->GetPrinterInternalID = [machine](plat::UsbDeviceHandle handle) {
            for (const UsbPrinter& p : ReadUsbPrinters(*machine)) {
                if (p.slot + 1 != handle) continue;
                if (!p.answering) return 0;
                return p.internalId == 0 ? 8 : p.internalId;
            }
            return 0;
        };
    }
    if (exports.count("uWrite")) {
        library->uWrite = [machine](plat::UsbDeviceHandle handle, int, const std::uint8_t* bytes,
                                    std::uint32_t count) -> int {
            if (!bytes || count == 0 || handle <= 0) return 0;
            return WriteToUsbPrinter(*machine, static_cast<int>(handle - 1), bytes, count)
                       ? static_cast<int>(count)
                       : 0;
        };
    }
    if (exports.count("CloseDevice")) library->CloseDevice = [](plat::UsbDeviceHandle) {};
    library->exportsGetDescriptor = exports.count("GetDescriptor") > 0;
    return library;
}

}  // namespace sim
