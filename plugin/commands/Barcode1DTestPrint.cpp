// Builds the "1D Code" page's test print: the barcode settings header, the data in the
// symbology's framing, and a feed and cut.
#include "plugin/commands/Barcode1DTestPrint.h"

#include "plugin/commands/BarcodeRules.h"
#include "plugin/commands/CutCommand.h"

namespace plugin {

std::optional<RawJob> Barcode1DTestJob(const BarcodeSlot1D& slot,
                                       std::span<const std::uint8_t> ansiData) {
    if (slot.symbology >= kSymbologies1D.size()) return std::nullopt;
    const Symbology1D& symbology = kSymbologies1D[slot.symbology];

    // Validation may pack Code128 data, so it works on a copy and the packed copy is sent.
    ByteString data(ansiData.begin(), ansiData.end());
    std::size_t length = data.size();
    if (!ValidateBarcodeData(symbology.code, data.data(), &length)) return std::nullopt;
    data.resize(length);

    const std::uint8_t barHeight = static_cast<std::uint8_t>(slot.barHeight & 0xFF);
    const ByteString header = {
        0x1D, 0x66, slot.hriFont,      // GS f: HRI font
        0x1D, 0x48, slot.hriPosition,  // GS H: HRI position
        0x1D, 0x77, slot.moduleWidth,  // GS w: module width
        0x1D, 0x68, barHeight,         // GS h: bar height, low byte
        0x1D, 0x6B, symbology.code,    // GS k m
    };

    RawJob job{u"Barcode", {}};
    if (symbology.form == BarcodeDataForm::kNulTerminated) {
        job.writes = {header, data, {0x00}};
    } else {
        // The settings and GS k m are sent a second time after a 00 byte, then the data with its
        // length in front.
        const ByteString repeated(header.begin() + 6, header.end());
        job.writes = {header, {0x00}, repeated, {static_cast<std::uint8_t>(data.size())}, data,
                      {0x00}};
    }
    job.writes.push_back(FeedAndCutCommand());
    return job;
}

}  // namespace plugin
