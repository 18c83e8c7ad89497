// The symbologies of the "1D Code" fonts and the raw job of the page's test print.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "plugin/commands/RawJob.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugin {

// How the test print frames the data after GS k.
enum class BarcodeDataForm : std::uint8_t { kNulTerminated, kLengthPrefixed };

struct Symbology1D {
    std::string_view listText;    // entry of the "Type" box
    std::uint8_t code;            // byte sent after GS k
    BarcodeDataForm form;
    std::string_view sampleData;  // put into "Data" when the symbology is chosen
};

inline constexpr std::size_t kSymbology1DCount = 9;

// In the order of the "Type" box; a slot's symbology byte indexes it.
inline constexpr std::array<Symbology1D, kSymbology1DCount> kSymbologies1D = {{
    {"UPC-A", 0x00, BarcodeDataForm::kNulTerminated, "123456789012"},
    {"UPC-E", 0x01, BarcodeDataForm::kNulTerminated, "023456789012"},
    {"EAN8", 0x03, BarcodeDataForm::kNulTerminated, "12345678"},
    {"EAN13", 0x02, BarcodeDataForm::kNulTerminated, "1234567890123"},
    {"Code39", 0x04, BarcodeDataForm::kNulTerminated, "123ABC*"},
    {"ITF", 0x05, BarcodeDataForm::kNulTerminated, "123456789"},
    {"Codabar", 0x06, BarcodeDataForm::kNulTerminated, "A123456789A"},
    {"Code93", 0x48, BarcodeDataForm::kLengthPrefixed, "123ABC"},
    {"Code128", 0x49, BarcodeDataForm::kLengthPrefixed, "{A1234"},
}};

// Characters the test print takes from "Data". Their code-page form may be longer than the
// 255 bytes any symbology accepts; such data is refused as invalid, never cut.
inline constexpr std::size_t kTestPrintMaxChars = 399;

// The job "Barcode" that prints `ansiData` (the "Data" text in the system code page) as the
// slot describes, then feeds to the cutter and cuts. Empty when the data fails
// ValidateBarcodeData for the slot's symbology (the page then shows " BarCode data error!") or
// when the slot's symbology byte names no entry of the list; nothing is to be sent then.
std::optional<RawJob> Barcode1DTestJob(const BarcodeSlot1D& slot,
                                       std::span<const std::uint8_t> ansiData);

}  // namespace plugin
