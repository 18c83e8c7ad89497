// The plug-in's private device mode: the 1464-byte stored block the driver keeps with every job.
//
// Every record here is a byte-exact stored format. All fields have alignment 1 (bytes, LeInt32,
// LeUint32, Utf16Text), so the structs carry no compiler padding, every gap is a named field,
// and a pointer to the driver's buffer of any alignment may be viewed as an OemDevmode. The
// offsets are pinned by the static_asserts at the end of this file.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "plugin/com/PluginIdentity.h"
#include "plugin/devmode/PackedFields.h"

namespace plugin {

inline constexpr std::uint32_t kOemDevmodeSize = 1464;
inline constexpr std::size_t kCommandCapacity = 128;  // bytes of one stored raw command
inline constexpr std::size_t kBarcode1DSlots = 8;
inline constexpr std::size_t kBarcode2DSlots = 2;

// ---- Operation blocks: the printer actions at the four moments of a job. ----
// The four blocks hold the same fields, but the "Start of Document" block keeps the buzzer
// enable byte before the reserved buzzer byte and the "Start of Page" block has three bytes of
// padding before its selector, so each layout is declared on its own.

struct StartDocumentBlockLayout {  // 145 bytes at offset 16
    std::uint8_t sendCommand;
    std::uint8_t feedBeforeCut;
    std::uint8_t command[kCommandCapacity];
    std::uint8_t commandLength;
    std::uint8_t cashDrawer;
    std::uint8_t paperCut;
    std::uint8_t paperFeed;
    std::uint8_t buzzerEnable;
    std::uint8_t padding1;
    LeInt32 drawerOrBuzzer;
    std::uint8_t reservedBuzzer;
    std::uint8_t beep;
    std::uint8_t logo;
    std::uint8_t logoAlignment;
    std::uint8_t logoPosition;
};

struct StartPageBlockLayout {  // 147 bytes at offset 161
    std::uint8_t sendCommand;
    std::uint8_t feedBeforeCut;
    std::uint8_t command[kCommandCapacity];
    std::uint8_t commandLength;
    std::uint8_t cashDrawer;
    std::uint8_t paperCut;
    std::uint8_t paperFeed;
    std::uint8_t reservedBuzzer;
    std::uint8_t buzzerEnable;
    std::uint8_t padding3[3];
    LeInt32 drawerOrBuzzer;
    std::uint8_t beep;
    std::uint8_t logo;
    std::uint8_t logoAlignment;
    std::uint8_t logoPosition;
};

struct EndBlockLayout {  // 144 bytes, at offset 308 (End of Document) and 452 (End of Page)
    std::uint8_t sendCommand;
    std::uint8_t feedBeforeCut;
    std::uint8_t command[kCommandCapacity];
    std::uint8_t commandLength;
    std::uint8_t cashDrawer;
    std::uint8_t paperCut;
    std::uint8_t paperFeed;
    std::uint8_t reservedBuzzer;
    std::uint8_t buzzerEnable;
    LeInt32 drawerOrBuzzer;
    std::uint8_t beep;
    std::uint8_t logo;
    std::uint8_t logoAlignment;
    std::uint8_t logoPosition;
};

enum class OperationMoment { StartDocument, StartPage, EndDocument, EndPage };

// One operation block as the pages edit it, independent of where its moment stores each field.
struct OperationBlock {
    std::uint8_t sendCommand = 0;      // 1 = send the raw command
    std::uint8_t feedBeforeCut = 0;    // 1 = "Feed to cut position before cut"
    std::array<std::uint8_t, kCommandCapacity> command{};  // zero-filled after its length
    std::uint8_t commandLength = 0;    // 0..128
    std::uint8_t cashDrawer = 0;       // index in the drawer list, 0..12
    std::uint8_t paperCut = 0;         // 0 "No Cut", 1 "Partial Cut", 2 "Full Cut"
    std::uint8_t paperFeed = 0;        // millimetres, 0..100
    std::uint8_t buzzerEnable = 0;     // 0 "Enable", 1 "Disable"
    std::uint8_t reservedBuzzer = 0;
    std::int32_t drawerOrBuzzer = 0;   // 0 "Open Drawer", 1 "Herald"
    std::uint8_t beep = 0;             // index in the beep list, 0..5
    std::uint8_t logo = 0;             // 0 "Not Print Logo", 1..9 "Print Logo1".."Print Logo9"
    std::uint8_t logoAlignment = 0;    // 0 "Left", 1 "Centered", 2 "Right"
    std::uint8_t logoPosition = 0;     // 0 "Before Cut", 1 "After Cut"

    bool operator==(const OperationBlock&) const = default;
};

// ---- Barcode font slots. ----

// One linear barcode device font ("1D Code1".."1D Code8"); 36 bytes.
struct BarcodeSlot1D {
    std::uint8_t symbology;     // index into the symbology list, 0..8
    std::uint8_t moduleWidth;   // 2..6
    std::uint8_t padding2[2];
    LeInt32 barHeight;          // dots, 1..255
    std::uint8_t hriPosition;   // 0 none, 1 above, 2 below, 3 both
    std::uint8_t hriFont;       // 0 Font A, 1 Font B
    std::uint8_t padding10[2];
    LeInt32 cellWidth;          // module width x 8
    LeInt32 totalHeight;        // bar height plus the HRI allowance, quantised
    // Room kept for the GS1 DataBar family; no page shows or changes these.
    std::uint8_t reserved20;
    std::uint8_t padding21[3];
    LeInt32 reserved24;
    LeInt32 reserved28;
    std::uint8_t reserved32;
    std::uint8_t reserved33;
    std::uint8_t reserved34;
    std::uint8_t padding35;
};

// One two-dimensional code device font ("2D Code1", "2D Code2"); 24 bytes.
struct BarcodeSlot2D {
    std::uint8_t symbology;         // 0 PDF417, 1 QR Code
    std::uint8_t pdfModuleWidth;    // 1..4
    std::uint8_t pdfModuleHeight;   // 2..25
    std::uint8_t pdfColumns;        // 1..30
    std::uint8_t pdfRows;           // 3..90
    std::uint8_t pdfErrorLevel;     // 0..8
    std::uint8_t reserved6;
    std::uint8_t padding7;
    LeInt32 reserved8;
    LeInt32 reserved12;
    std::uint8_t reserved16;
    std::uint8_t reserved17;
    std::uint8_t reserved18;
    std::uint8_t reserved19;
    std::uint8_t qrModuleSize;      // 1..24
    std::uint8_t qrLanguage;        // 0 Chinese, 1 Japanese
    std::uint8_t qrModel;           // 1 or 2
    std::uint8_t qrErrorCorrection; // 0 L, 1 M, 2 H, 3 Q
};

// ---- Watermark and main page values. ----

// What the watermark page prints behind the document. A block from elsewhere may hold other
// values; the pages treat any value but None as a watermark.
enum class WatermarkMode : std::uint8_t { None = 0, Image = 1, Text = 2 };

// ---- The whole block. ----

struct OemDevmode {
    // OEM_DMEXTRAHEADER
    LeUint32 dwSize;
    LeUint32 dwSignature;
    LeUint32 dwVersion;
    LeInt32 reservedValue;  // merge resets it to 0 when above 100

    StartDocumentBlockLayout startDocument;
    StartPageBlockLayout startPage;
    EndBlockLayout endDocument;
    EndBlockLayout endPage;

    BarcodeSlot1D barcode1D[kBarcode1DSlots];
    BarcodeSlot2D barcode2D[kBarcode2DSlots];

    std::uint8_t reserved932;
    std::uint8_t reserved933;
    std::uint8_t reserved934[32];
    std::uint8_t reserved966[32];
    StoredFlag textAsGraphics;       // print all text as a graphics image
    std::uint8_t reserved999;
    Utf16Text<125> watermarkPath;
    WatermarkMode watermarkMode;
    std::uint8_t padding1251;
    Utf16Text<16> watermarkText;     // at most 15 characters
    Utf16Text<50> watermarkFontFace;
    std::uint8_t watermarkFontSize;  // points, 8..72
    std::uint8_t watermarkFontStyle; // 0 Regular, 1 Italic, 2 Bold, 3 Bold Italic
    std::uint8_t padding1386[2];
    LeInt32 watermarkAngle;          // degrees, 0..360
    std::uint8_t watermarkPosition;  // 0..9, 9 = "Tiled"
    std::uint8_t watermarkSize;      // percent, 0..100
    std::uint8_t watermarkBrightness;
    std::uint8_t scalePercent;       // 10..100
    StoredFlag rotate180;            // rotate the page by 180 degrees
    std::uint8_t padding1397;
    Utf16Text<32> paperSizeName;     // form name chosen on the main page
    StoredFlag zoomPrinting;
    std::uint8_t padding1463;
};

// The block with every byte zero, then the header and every default written.
OemDevmode DefaultOemDevmode();

// Writes the defaults into `dm`: clears all 1464 bytes first (the bytes the defaults leave
// unnamed become zero, not whatever the buffer held), then header and field defaults.
void WriteOemDevmodeDefaults(OemDevmode& dm);

// Stamps the header: size 1464, the plug-in's signature, version 1.
void StampOemDevmodeHeader(OemDevmode& dm);

// The linear barcode font `index` ("1D Code1" is 0) or the two-dimensional one ("2D Code1" is
// 0); null outside the slots, such as a font list's -1 for "no selection".
inline BarcodeSlot1D* Barcode1DSlot(OemDevmode& dm, int index) {
    return index >= 0 && index < static_cast<int>(kBarcode1DSlots) ? &dm.barcode1D[index] : nullptr;
}
inline BarcodeSlot2D* Barcode2DSlot(OemDevmode& dm, int index) {
    return index >= 0 && index < static_cast<int>(kBarcode2DSlots) ? &dm.barcode2D[index] : nullptr;
}

// Reads and writes a moment's operation block through its own layout. Writing leaves the
// block's padding bytes as they are.
OperationBlock ReadOperationBlock(const OemDevmode& dm, OperationMoment moment);
void WriteOperationBlock(OemDevmode& dm, OperationMoment moment, const OperationBlock& block);

// ---- Layout checks: every offset of the stored format. ----

static_assert(std::is_standard_layout_v<OemDevmode> && std::is_trivially_copyable_v<OemDevmode>);
static_assert(alignof(OemDevmode) == 1);
static_assert(sizeof(StartDocumentBlockLayout) == 145);
static_assert(sizeof(StartPageBlockLayout) == 147);
static_assert(sizeof(EndBlockLayout) == 144);
static_assert(sizeof(BarcodeSlot1D) == 36);
static_assert(sizeof(BarcodeSlot2D) == 24);
static_assert(sizeof(OemDevmode) == kOemDevmodeSize);

namespace layout_check {
#define PLUGIN_AT(outer, member, inner, field) \
    (offsetof(outer, member) + offsetof(inner, field))

static_assert(offsetof(OemDevmode, dwSize) == 0);
static_assert(offsetof(OemDevmode, dwSignature) == 4);
static_assert(offsetof(OemDevmode, dwVersion) == 8);
static_assert(offsetof(OemDevmode, reservedValue) == 12);

// Start of Document
static_assert(offsetof(OemDevmode, startDocument) == 16);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, feedBeforeCut) == 17);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, command) == 18);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, commandLength) == 146);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, cashDrawer) == 147);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, paperCut) == 148);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, paperFeed) == 149);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, buzzerEnable) == 150);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, drawerOrBuzzer) == 152);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, reservedBuzzer) == 156);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, beep) == 157);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, logo) == 158);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, logoAlignment) == 159);
static_assert(PLUGIN_AT(OemDevmode, startDocument, StartDocumentBlockLayout, logoPosition) == 160);

// Start of Page
static_assert(offsetof(OemDevmode, startPage) == 161);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, feedBeforeCut) == 162);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, command) == 163);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, commandLength) == 291);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, cashDrawer) == 292);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, paperCut) == 293);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, paperFeed) == 294);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, reservedBuzzer) == 295);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, buzzerEnable) == 296);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, drawerOrBuzzer) == 300);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, beep) == 304);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, logo) == 305);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, logoAlignment) == 306);
static_assert(PLUGIN_AT(OemDevmode, startPage, StartPageBlockLayout, logoPosition) == 307);

// End of Document
static_assert(offsetof(OemDevmode, endDocument) == 308);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, feedBeforeCut) == 309);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, command) == 310);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, commandLength) == 438);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, cashDrawer) == 439);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, paperCut) == 440);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, paperFeed) == 441);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, reservedBuzzer) == 442);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, buzzerEnable) == 443);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, drawerOrBuzzer) == 444);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, beep) == 448);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, logo) == 449);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, logoAlignment) == 450);
static_assert(PLUGIN_AT(OemDevmode, endDocument, EndBlockLayout, logoPosition) == 451);

// End of Page
static_assert(offsetof(OemDevmode, endPage) == 452);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, feedBeforeCut) == 453);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, command) == 454);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, commandLength) == 582);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, cashDrawer) == 583);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, paperCut) == 584);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, paperFeed) == 585);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, reservedBuzzer) == 586);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, buzzerEnable) == 587);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, drawerOrBuzzer) == 588);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, beep) == 592);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, logo) == 593);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, logoAlignment) == 594);
static_assert(PLUGIN_AT(OemDevmode, endPage, EndBlockLayout, logoPosition) == 595);

// Barcode records
static_assert(offsetof(OemDevmode, barcode1D) == 596);
static_assert(offsetof(BarcodeSlot1D, symbology) == 0);
static_assert(offsetof(BarcodeSlot1D, moduleWidth) == 1);
static_assert(offsetof(BarcodeSlot1D, barHeight) == 4);
static_assert(offsetof(BarcodeSlot1D, hriPosition) == 8);
static_assert(offsetof(BarcodeSlot1D, hriFont) == 9);
static_assert(offsetof(BarcodeSlot1D, cellWidth) == 12);
static_assert(offsetof(BarcodeSlot1D, totalHeight) == 16);
static_assert(offsetof(BarcodeSlot1D, reserved20) == 20);
static_assert(offsetof(BarcodeSlot1D, reserved24) == 24);
static_assert(offsetof(BarcodeSlot1D, reserved28) == 28);
static_assert(offsetof(BarcodeSlot1D, reserved32) == 32);
static_assert(offsetof(BarcodeSlot1D, reserved33) == 33);
static_assert(offsetof(BarcodeSlot1D, reserved34) == 34);

static_assert(offsetof(OemDevmode, barcode2D) == 884);
static_assert(offsetof(BarcodeSlot2D, symbology) == 0);
static_assert(offsetof(BarcodeSlot2D, pdfModuleWidth) == 1);
static_assert(offsetof(BarcodeSlot2D, pdfModuleHeight) == 2);
static_assert(offsetof(BarcodeSlot2D, pdfColumns) == 3);
static_assert(offsetof(BarcodeSlot2D, pdfRows) == 4);
static_assert(offsetof(BarcodeSlot2D, pdfErrorLevel) == 5);
static_assert(offsetof(BarcodeSlot2D, reserved6) == 6);
static_assert(offsetof(BarcodeSlot2D, reserved8) == 8);
static_assert(offsetof(BarcodeSlot2D, reserved12) == 12);
static_assert(offsetof(BarcodeSlot2D, reserved16) == 16);
static_assert(offsetof(BarcodeSlot2D, reserved17) == 17);
static_assert(offsetof(BarcodeSlot2D, reserved18) == 18);
static_assert(offsetof(BarcodeSlot2D, reserved19) == 19);
static_assert(offsetof(BarcodeSlot2D, qrModuleSize) == 20);
static_assert(offsetof(BarcodeSlot2D, qrLanguage) == 21);
static_assert(offsetof(BarcodeSlot2D, qrModel) == 22);
static_assert(offsetof(BarcodeSlot2D, qrErrorCorrection) == 23);

// The rest of the block
static_assert(offsetof(OemDevmode, reserved932) == 932);
static_assert(offsetof(OemDevmode, reserved933) == 933);
static_assert(offsetof(OemDevmode, reserved934) == 934);
static_assert(offsetof(OemDevmode, reserved966) == 966);
static_assert(offsetof(OemDevmode, textAsGraphics) == 998);
static_assert(offsetof(OemDevmode, reserved999) == 999);
static_assert(offsetof(OemDevmode, watermarkPath) == 1000 && sizeof(Utf16Text<125>) == 250);
static_assert(offsetof(OemDevmode, watermarkMode) == 1250);
static_assert(offsetof(OemDevmode, watermarkText) == 1252);
static_assert(offsetof(OemDevmode, watermarkFontFace) == 1284);
static_assert(offsetof(OemDevmode, watermarkFontSize) == 1384);
static_assert(offsetof(OemDevmode, watermarkFontStyle) == 1385);
static_assert(offsetof(OemDevmode, watermarkAngle) == 1388);
static_assert(offsetof(OemDevmode, watermarkPosition) == 1392);
static_assert(offsetof(OemDevmode, watermarkSize) == 1393);
static_assert(offsetof(OemDevmode, watermarkBrightness) == 1394);
static_assert(offsetof(OemDevmode, scalePercent) == 1395);
static_assert(offsetof(OemDevmode, rotate180) == 1396);
static_assert(offsetof(OemDevmode, paperSizeName) == 1398);
static_assert(offsetof(OemDevmode, zoomPrinting) == 1462);

#undef PLUGIN_AT
}  // namespace layout_check

}  // namespace plugin
