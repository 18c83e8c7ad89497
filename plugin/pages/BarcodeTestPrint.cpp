// The test print of both barcode pages.
#include "plugin/pages/BarcodeTestPrint.h"

#include "platform/win_constants.h"
#include "plugin/commands/Barcode1DTestPrint.h"
#include "plugin/commands/SendRawJob.h"

namespace plugin {

std::optional<ByteString> TestPrintDataBytes(std::u16string_view text, plat::SystemInfo& system) {
    const std::string ansi = system.WideCharToAnsi(text.substr(0, kTestPrintMaxChars));
    if (ansi.size() > kTestPrintBufferBytes) return std::nullopt;
    return ByteString(ansi.begin(), ansi.end());
}

void RunBarcodeTestPrint(plat::DialogWindow& window, const DocSheetContext& sheet, int dataId,
                         const TestJobBuilder& build) {
    if (!sheet.platform || !sheet.sheetParam) return;
    plat::Platform& platform = *sheet.platform;
    const std::optional<ByteString> data =
        TestPrintDataBytes(window.GetItemTextW(dataId), platform.system());
    const std::optional<RawJob> job = data ? build(*data) : std::nullopt;
    if (!job) {
        window.MessageBox(kBarcodeDataError, "Error", MB_OK);
        return;
    }
    const auto printer = reinterpret_cast<plat::PrinterHandle>(sheet.sheetParam->hPrinter);
    // Spooler failures stay silent: SendRawJob has already ended what it opened.
    SendRawJob(platform.rawPrinting(), platform.lastError(), printer, *job);
}

}  // namespace plugin
