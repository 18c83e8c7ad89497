// Placing files: every file the installation puts on the system goes through CopyPackageFile.
#pragma once
#include <cstdint>
#include <string>

#include "setup/engine/EngineContext.h"

namespace setup {

// Where a file goes; the numbers are the values the engine passes.
enum DestinationKind : std::uint32_t {
    DEST_DRIVER_3 = 999,            // the printer-driver directory's "3" subdirectory
    DEST_DRIVER = 66000,            // the printer-driver directory
    DEST_PROCESSOR = 66001,         // the print-processor directory
    DEST_SYSTEM = 66002,            // the system directory
    DEST_SYSTEM_IF_ABSENT = 66003,  // the system directory, never replacing a file there
    DEST_WBEM_IF_ABSENT = 66004,    // the system directory's "wbem", never replacing
};

const char* DestinationName(DestinationKind kind);

// Results of CopyPackageFile.
enum CopyResult : int {
    kCopyFailed = 0,    // failure (the result text says why) or nothing to do
    kCopied = 1,        // copied, or already there where the kind allows
    kCopyDenied = 5,    // ERROR_ACCESS_DENIED: nothing written, the caller decides
    kCopyInUse = 32,    // ERROR_SHARING_VIOLATION: nothing written, the caller decides
};

// Copies the package file `name` (a bare file name, upper-cased in place) from the package's
// "W32\" or "W64\" directory, or a member of the universal-driver family from the system's own
// sources, to the directory of `kind`; with `useAlternateName` the copy is named "n" + name.
int CopyPackageFile(EngineContext& ctx, std::string& name, DestinationKind kind,
                    bool useAlternateName);

// A file of the system's universal printer driver ("UNIDRV", "STDNAMES", "TTFSUB", "UNIRES").
bool IsUniversalDriverFile(const std::string& upperName);

// Extracts the universal-driver files from the "Driver Cache" cabinets into the temporary
// directory. True when the last cabinet walked was walked successfully.
bool ExtractUniversalDriverFromCabinets(EngineContext& ctx);

// The extra files of a Windows version that the driver needs (errors are in the result text and
// do not end the run).
void CopySystemExtras(EngineContext& ctx, bool minidriverSwitch);

// The directories of the destination kinds. False with the language key of the failure.
bool PrinterDriverDirectory(EngineContext& ctx, std::string& out);
bool PrintProcessorDirectory(EngineContext& ctx, std::string& out);
bool SystemDirectory(EngineContext& ctx, std::string& out);

}  // namespace setup
