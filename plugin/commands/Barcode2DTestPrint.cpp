// Builds the "2D Code" page's test print: the symbology's header, the data ended by a 00 byte,
// and a feed and cut.
#include "plugin/commands/Barcode2DTestPrint.h"

#include <array>

#include "plugin/commands/BarcodeRules.h"
#include "plugin/commands/CutCommand.h"

namespace plugin {

namespace {

// The QR error-correction list is L, M, H, Q; the printer wants the level's letter.
constexpr std::array<std::uint8_t, 4> kQrErrorLetters = {'L', 'M', 'H', 'Q'};

ByteString Pdf417Header(const BarcodeSlot2D& slot) {
    return {
        0x1D, 0x70, 0x01, 0x01,                      // GS p 1 1: PDF417 settings follow
        slot.pdfRows, slot.pdfColumns,               // r c
        slot.pdfModuleWidth, slot.pdfModuleHeight,   // w h
        0x1D, 0x71, slot.pdfErrorLevel,              // GS q e: error correction level
        0x1D, 0x6B, 0x0A,                            // GS k 10: print PDF417
    };
}

ByteString QrHeader(const BarcodeSlot2D& slot) {
    return {
        0x1D, 0x6F, 0x00,                                       // GS o 0: QR settings follow
        slot.qrModuleSize, slot.qrLanguage, slot.qrModel,       // s l m
        0x1D, 0x6B, 0x0B,                                       // GS k 11: print QR Code
        kQrErrorLetters[slot.qrErrorCorrection], 0x41, 0x2C,    // E 'A' ','
    };
}

}  // namespace

std::optional<RawJob> Barcode2DTestJob(const BarcodeSlot2D& slot,
                                       std::span<const std::uint8_t> ansiData) {
    const bool qr = slot.symbology == kSymbologyQrCode;
    if (!qr && slot.symbology != kSymbologyPdf417) return std::nullopt;
    if (qr && slot.qrErrorCorrection >= kQrErrorLetters.size()) return std::nullopt;

    ByteString data(ansiData.begin(), ansiData.end());
    std::size_t length = data.size();
    if (!ValidateBarcodeData(kPdf417ValidationCode, data.data(), &length)) return std::nullopt;

    return RawJob{u"2Dcode",
                  {qr ? QrHeader(slot) : Pdf417Header(slot), data, {0x00}, FeedAndCutCommand()}};
}

}  // namespace plugin
