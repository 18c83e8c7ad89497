// The raw job of the "2D Code" page's test print (PDF417 or QR Code).
#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "plugin/commands/RawJob.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugin {

inline constexpr std::uint8_t kSymbologyPdf417 = 0;
inline constexpr std::uint8_t kSymbologyQrCode = 1;

// The data the page puts into "Data" whenever a slot or symbology is shown.
inline constexpr char kSample2DData[] = "01234567890123";

// The job "2Dcode" that prints `ansiData` as the slot's code, then feeds to the cutter and cuts.
// The data of both symbologies must pass ValidateBarcodeData with the PDF417 code (1..255 bytes
// of any value). Empty, with nothing to send, when it does not (the page then shows
// " BarCode data error!"), or when the slot's symbology or QR error-correction byte lies outside
// its list.
std::optional<RawJob> Barcode2DTestJob(const BarcodeSlot2D& slot,
                                       std::span<const std::uint8_t> ansiData);

}  // namespace plugin
