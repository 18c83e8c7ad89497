// The test print of both barcode pages: the "Data" text in the system code page, the message
// for data the printer cannot take, and the raw job on the document sheet's printer.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "platform/dialog.h"
#include "platform/system_info.h"
#include "plugin/com/SheetContexts.h"
#include "plugin/commands/RawJob.h"

namespace plugin {

// The conversion buffer of the test print, in bytes.
inline constexpr std::size_t kTestPrintBufferBytes = 500;

inline constexpr char kBarcodeDataError[] = " BarCode data error!";

// The bytes a test print takes from the "Data" text: its first 399 characters in the system
// code page. Empty when they need more than the 500-byte buffer: such text is refused, never
// cut, since no symbology takes more than 255 bytes anyway and a cut could split a
// double-byte character.
std::optional<ByteString> TestPrintDataBytes(std::u16string_view text, plat::SystemInfo& system);

// Makes the job for the converted data; empty when the data is not valid for the code.
using TestJobBuilder = std::function<std::optional<RawJob>(std::span<const std::uint8_t>)>;

// The "Print" button: reads the edit `dataId`, converts it and builds the job. Refused data
// shows " BarCode data error!" (caption "Error", OK) and sends nothing; otherwise the job goes
// to the printer handle of the sheet's parameters, and a failing spooler call ends it without
// a message. Nothing happens on a sheet without platform or parameters.
void RunBarcodeTestPrint(plat::DialogWindow& window, const DocSheetContext& sheet, int dataId,
                         const TestJobBuilder& build);

}  // namespace plugin
