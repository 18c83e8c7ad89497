// Defaults of the private device mode and the moment-independent view of its operation blocks.
#include "plugin/devmode/OemDevmode.h"

#include <cstring>

namespace plugin {

namespace {

// Symbology of each linear slot by default; symbology 2 (EAN8) is in none of them.
constexpr std::uint8_t kDefaultSymbology1D[kBarcode1DSlots] = {0, 1, 3, 4, 5, 6, 7, 8};

void WriteSlot1DDefaults(BarcodeSlot1D& slot, std::uint8_t symbology) {
    slot.symbology = symbology;
    slot.moduleWidth = 3;
    slot.barHeight = 163;
    slot.hriPosition = 0;
    slot.hriFont = 0;
    slot.cellWidth = 24;
    slot.totalHeight = 163;
    slot.reserved20 = 2;
    slot.reserved24 = 100;
    slot.reserved28 = 2;
    slot.reserved32 = 1;
    slot.reserved33 = 1;
    slot.reserved34 = 1;
}

void WriteSlot2DDefaults(BarcodeSlot2D& slot) {
    slot.symbology = 0;
    slot.pdfModuleWidth = 3;
    slot.pdfModuleHeight = 3;
    slot.pdfColumns = 3;
    slot.pdfRows = 3;
    slot.pdfErrorLevel = 5;
    slot.reserved6 = 2;
    slot.reserved8 = 100;
    slot.reserved12 = 2;
    slot.reserved16 = 2;
    slot.reserved17 = 4;
    slot.reserved18 = 1;
    slot.reserved19 = 1;
    slot.qrModuleSize = 3;
    slot.qrLanguage = 0;
    slot.qrModel = 1;
    slot.qrErrorCorrection = 1;
}

// The layouts and OperationBlock name their fields alike, so one template copies every field
// but the command area, in either direction, for all three layouts.
template <typename From, typename To>
void CopyBlockFields(const From& in, To& out) {
    out.sendCommand = in.sendCommand;
    out.feedBeforeCut = in.feedBeforeCut;
    out.commandLength = in.commandLength;
    out.cashDrawer = in.cashDrawer;
    out.paperCut = in.paperCut;
    out.paperFeed = in.paperFeed;
    out.buzzerEnable = in.buzzerEnable;
    out.reservedBuzzer = in.reservedBuzzer;
    out.drawerOrBuzzer = in.drawerOrBuzzer;
    out.beep = in.beep;
    out.logo = in.logo;
    out.logoAlignment = in.logoAlignment;
    out.logoPosition = in.logoPosition;
}

template <typename Layout>
OperationBlock ReadBlock(const Layout& in) {
    OperationBlock out;
    CopyBlockFields(in, out);
    std::memcpy(out.command.data(), in.command, kCommandCapacity);
    return out;
}

template <typename Layout>
void WriteBlock(Layout& out, const OperationBlock& in) {
    CopyBlockFields(in, out);
    std::memcpy(out.command, in.command.data(), kCommandCapacity);
}

}  // namespace

void StampOemDevmodeHeader(OemDevmode& dm) {
    dm.dwSize = kOemDevmodeSize;
    dm.dwSignature = kPluginSignature;
    dm.dwVersion = kPluginVersion;
}

void WriteOemDevmodeDefaults(OemDevmode& dm) {
    std::memset(&dm, 0, sizeof dm);
    StampOemDevmodeHeader(dm);
    // Every other operation field, command area and text is zero already.
    dm.endDocument.feedBeforeCut = 1;
    dm.endDocument.paperCut = 1;  // "Partial Cut"
    for (std::size_t k = 0; k < kBarcode1DSlots; ++k)
        WriteSlot1DDefaults(dm.barcode1D[k], kDefaultSymbology1D[k]);
    for (auto& slot : dm.barcode2D) WriteSlot2DDefaults(slot);
    dm.watermarkFontSize = 50;
    dm.watermarkAngle = 45;
    dm.watermarkPosition = 4;  // "Center-Middle"
    dm.watermarkSize = 100;
    dm.watermarkBrightness = 50;
    dm.scalePercent = 100;
}

OemDevmode DefaultOemDevmode() {
    OemDevmode dm;
    WriteOemDevmodeDefaults(dm);
    return dm;
}

OperationBlock ReadOperationBlock(const OemDevmode& dm, OperationMoment moment) {
    switch (moment) {
        case OperationMoment::StartDocument: return ReadBlock(dm.startDocument);
        case OperationMoment::StartPage: return ReadBlock(dm.startPage);
        case OperationMoment::EndDocument: return ReadBlock(dm.endDocument);
        case OperationMoment::EndPage: break;
    }
    return ReadBlock(dm.endPage);
}

void WriteOperationBlock(OemDevmode& dm, OperationMoment moment, const OperationBlock& block) {
    switch (moment) {
        case OperationMoment::StartDocument: WriteBlock(dm.startDocument, block); return;
        case OperationMoment::StartPage: WriteBlock(dm.startPage, block); return;
        case OperationMoment::EndDocument: WriteBlock(dm.endDocument, block); return;
        case OperationMoment::EndPage: WriteBlock(dm.endPage, block); return;
    }
}

}  // namespace plugin
