// The stand-ins' calls that injected faults can fail, and the check each of them makes first.
#include "platform/sim/api/call_faults.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/text.h"

namespace sim {

const std::vector<FaultableCall>& FaultableCalls() {
    static const std::vector<FaultableCall> calls = {
        // Files: the path the call acts on; CopyFileA's is the file it writes. CreateFileA
        // stands for every open: whole-file reads and writes and handles alike.
        {"CreateFileA", FaultTarget::FilePath},
        {"DeleteFileA", FaultTarget::FilePath},
        {"CopyFileA", FaultTarget::FilePath},
        {"CreateDirectoryA", FaultTarget::FilePath},
        {"RemoveDirectoryA", FaultTarget::FilePath},
        {"GetFileAttributesA", FaultTarget::FilePath},
        {"SetFileAttributesA", FaultTarget::FilePath},
        {"FindFirstFileA", FaultTarget::FilePath},
        // Registry: the key the call really reaches.
        {"RegCreateKeyExA", FaultTarget::KeyPath},
        {"RegOpenKeyExA", FaultTarget::KeyPath},
        {"RegDeleteKeyA", FaultTarget::KeyPath},
        {"RegSetValueExA", FaultTarget::KeyPath},
        {"RegQueryValueExA", FaultTarget::KeyPath},
        {"RegDeleteValueA", FaultTarget::KeyPath},
        {"RegEnumKeyExA", FaultTarget::KeyPath},
        {"RegEnumValueA", FaultTarget::KeyPath},
        // Spooler: the printer, by the name it was opened with.
        {"OpenPrinterW", FaultTarget::Name},
        {"ClosePrinter", FaultTarget::Name},
        {"StartDocPrinterW", FaultTarget::Name},
        {"StartPagePrinter", FaultTarget::Name},
        {"WritePrinter", FaultTarget::Name},
        {"EndPagePrinter", FaultTarget::Name},
        {"EndDocPrinter", FaultTarget::Name},
        // Cabinets: the cabinet's path.
        {"SetupIterateCabinetA", FaultTarget::FilePath},
    };
    return calls;
}

const FaultableCall* FindFaultableCall(std::string_view name) {
    for (const FaultableCall& call : FaultableCalls())
        if (common::EqualsNoCase(call.name, name)) return &call;
    return nullptr;
}

std::vector<const FaultableCall*> CallsNamedBy(std::string_view nameOrPattern) {
    const CallFault probe{std::string(nameOrPattern), 0, 0, {}};
    std::vector<const FaultableCall*> out;
    for (const FaultableCall& call : FaultableCalls())
        if (FaultNamesCall(probe, call.name)) out.push_back(&call);
    return out;
}

std::uint32_t InjectedFault(const Machine& machine, std::string_view call, std::string_view target) {
    const FaultableCall* known = FindFaultableCall(call);
    if (!known) {
        std::fprintf(stderr, "simulator error: %.*s asks for faults but is not a faultable call\n",
                     static_cast<int>(call.size()), call.data());
        std::abort();
    }
    return TakeFault(machine, known->name, known->target, target);
}

}  // namespace sim
