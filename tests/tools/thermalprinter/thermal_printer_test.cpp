// The virtual thermal printer's interpretation of the command set, checked on the paper it
// prints: dots, paper movement and the events beside the paper.
#include "tools/thermalprinter/thermal_printer.h"

#include <gtest/gtest.h>

#include <string>

namespace thermal {
namespace {

using namespace std::string_literals;

PrinterModel Model80() { return ModelNamed("VTX-80R"); }

// The columns that hold ink in rows [top, bottom).
std::pair<int, int> InkColumns(const Paper& paper, int top, int bottom) {
    int left = paper.width(), right = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < paper.width(); ++x)
            if (paper.InkAt(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

int InkCount(const Paper& paper) {
    int n = 0;
    for (int y = 0; y < paper.rows(); ++y)
        for (int x = 0; x < paper.width(); ++x) n += paper.InkAt(x, y) != 0;
    return n;
}

const PaperEvent* FindEvent(const Paper& paper, PaperEventKind kind) {
    for (const PaperEvent& e : paper.events())
        if (e.kind == kind) return &e;
    return nullptr;
}

TEST(ThermalPrinterText, ALineOfFontAFillsItsCellAndFeedsTheLineSpacing) {
    ThermalPrinter printer(Model80());
    printer.Receive("H\n");
    const auto [left, right] = InkColumns(printer.paper(), 0, 24);
    EXPECT_GE(left, 0);
    EXPECT_LE(right, 11);  // one 12-dot cell
    EXPECT_EQ(InkColumns(printer.paper(), 24, printer.paper().rows()).second, -1);
    EXPECT_EQ(printer.paper().cursor(), 30);  // the default line spacing
}

TEST(ThermalPrinterText, AlignmentAndFontBAndMagnificationPlaceTheCell) {
    ThermalPrinter centred(Model80());
    centred.Receive("\x1b" "a\x01" "H\n");  // centred: the 12-dot cell starts at (576 - 12) / 2
    auto [left, right] = InkColumns(centred.paper(), 0, 24);
    EXPECT_GE(left, 282);
    EXPECT_LE(right, 293);

    ThermalPrinter atRight(Model80());
    atRight.Receive("\x1b" "a\x02" "\x1b" "M\x01" "H\n");  // Font B at the right edge: 567..575
    auto cols = InkColumns(atRight.paper(), 0, 17);
    EXPECT_GE(cols.first, 567);
    EXPECT_LE(cols.second, 575);

    ThermalPrinter big(Model80());
    big.Receive("\x1d!\x11" "H\n");  // double width and height: a 24 x 48 cell, fed by its height
    cols = InkColumns(big.paper(), 0, 48);
    EXPECT_GT(cols.second, 11);
    EXPECT_LE(cols.second, 23);
    EXPECT_EQ(big.paper().cursor(), 48);
}

TEST(ThermalPrinterText, ALongLineWrapsAtThePaperWidth) {
    ThermalPrinter printer(ModelNamed("VTX-58R"));  // 384 dots: 32 cells of Font A
    printer.Receive(std::string(33, 'H') + "\n");
    EXPECT_EQ(printer.paper().cursor(), 60);  // two lines
    EXPECT_LE(InkColumns(printer.paper(), 30, 54).second, 11);  // the 33rd character alone
}

TEST(ThermalPrinterFeed, FeedsAndCutsMoveThePaperAndAreMarked) {
    ThermalPrinter printer(Model80());
    printer.Receive("\x1bJ\x28"s + "\x1b" "d\x02" + "\x1dVB\x05" + "\x1dV\x00"s);
    EXPECT_EQ(printer.paper().cursor(), 40 + 60 + kCutterDistance + 5);
    const auto& events = printer.paper().events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, PaperEventKind::PartialCut);
    EXPECT_EQ(events[0].row, 100 + kCutterDistance + 5);
    EXPECT_EQ(events[1].kind, PaperEventKind::FullCut);
}

TEST(ThermalPrinterDevices, DrawerBuzzerAndIdCommandAreEvents) {
    ThermalPrinter printer(Model80());
    printer.Receive("\x1bp\x00\x32\xfa"s + "\x1b" "B\x03\x02" + "\x1b##SET\x1dI \x02"s);
    const auto& events = printer.paper().events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].text, "drawer 1 (pin 2): pulse 100 ms on, 500 ms off");
    EXPECT_EQ(events[1].text, "buzzer: 3 beeps of 100 ms");
    EXPECT_EQ(events[2].kind, PaperEventKind::IdChange);
    EXPECT_EQ(printer.memory().internalId, 2);

    ThermalPrinter other(Model80());
    other.Receive("\x1b##SEX\x1dI \x02"s);  // a wrong access sequence changes nothing
    EXPECT_EQ(other.memory().internalId, 0);
    EXPECT_NE(FindEvent(other.paper(), PaperEventKind::Note), nullptr);
}

TEST(ThermalPrinterNotes, AnUnknownCommandIsNotedAndTheJobGoesOn) {
    ThermalPrinter printer(Model80());
    printer.Receive("\x1b\x01" "H\n");
    const PaperEvent* note = FindEvent(printer.paper(), PaperEventKind::Note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->text.find("[1B 01]"), std::string::npos) << note->text;
    EXPECT_GT(note->endRow, note->row);  // the note is printed
    // "H" is printed after the note's lines.
    EXPECT_NE(InkColumns(printer.paper(), note->endRow, printer.paper().rows()).second, -1);
}

TEST(ThermalPrinterNotes, AJobEndingInsideACommandPrintsWhatArrived) {
    ThermalPrinter printer(Model80());
    printer.Receive("HH\x1dv0\x00\x01\x00\x08\x00\xff\xff"s);  // a raster of 8 rows, 2 arrived
    const PaperEvent* note = FindEvent(printer.paper(), PaperEventKind::Note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->text.find("ended inside"), std::string::npos);
    EXPECT_NE(InkColumns(printer.paper(), 0, 24).second, -1);  // "HH" printed first
}

TEST(ThermalPrinterImages, ARasterImagePrintsItsBitsAndScales) {
    ThermalPrinter printer(Model80());
    printer.Receive("\x1dv0\x00\x01\x00\x02\x00\xf0\x0f"s);
    const Paper& p = printer.paper();
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(p.InkAt(x, 0) != 0, x < 4) << x;
        EXPECT_EQ(p.InkAt(x, 1) != 0, x >= 4) << x;
    }
    EXPECT_EQ(p.cursor(), 2);

    ThermalPrinter quad(Model80());
    quad.Receive("\x1dv0\x03\x01\x00\x01\x00\x80"s);  // one dot at four times: 2 x 2
    EXPECT_EQ(InkCount(quad.paper()), 4);
    EXPECT_EQ(quad.paper().cursor(), 2);
}

// A 16 x 8 one-bit logo whose column c has its dot on row c mod 8.
std::string DiagonalLogoDownload() {
    std::string job = "\x1cq\x01\x02\x00\x01\x00"s;
    for (int c = 0; c < 16; ++c) job += static_cast<char>(0x80 >> (c % 8));
    return job;
}

TEST(ThermalPrinterLogos, ADownloadedLogoPrintsBackDotForDot) {
    ThermalPrinter printer(Model80());
    printer.Replay(DiagonalLogoDownload());  // an earlier job: state only
    EXPECT_TRUE(printer.paper().events().empty());
    ASSERT_EQ(printer.memory().logos.size(), 1u);
    printer.Receive("\x1cp\x01\x00"s);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(printer.paper().InkAt(x, y) != 0, x % 8 == y) << x << "," << y;
    EXPECT_EQ(printer.paper().cursor(), 8);

    printer.Receive("\x1cq\x00"s);  // clear all
    EXPECT_TRUE(printer.memory().logos.empty());
    printer.Receive("\x1cp\x01\x00"s);
    const PaperEvent* note = FindEvent(printer.paper(), PaperEventKind::Note);
    ASSERT_NE(note, nullptr);
    EXPECT_NE(note->text.find("no logo 1"), std::string::npos);
}

TEST(ThermalPrinterLogos, LogoMemoryHolds96KilobytesAndARefusedDownloadKeepsTheOldLogos) {
    ThermalPrinter printer(Model80());
    printer.Receive(DiagonalLogoDownload());
    // 96 x 128 x 8 = 98304 bytes: exactly the memory.
    printer.Receive("\x1cq\x01\x60\x00\x80\x00"s + std::string(98304, '\x00'));
    ASSERT_EQ(printer.memory().logos.size(), 1u);
    EXPECT_EQ(printer.memory().logos[0].width, 96 * 8);
    // Two of 64 x 100 x 8 = 51200 bytes: 102400, over.
    printer.Receive("\x1cq\x02"s + "\x40\x00\x64\x00"s + std::string(51200, '\x00') + "\x40\x00\x64\x00"s +
                    std::string(51200, '\x00') + "H\n");
    ASSERT_EQ(printer.memory().logos.size(), 1u);
    EXPECT_EQ(printer.memory().logos[0].width, 96 * 8);
    EXPECT_NE(FindEvent(printer.paper(), PaperEventKind::Note), nullptr);
}

TEST(ThermalPrinterLogos, AGrayLogoKeepsItsSixteenLevels) {
    // One plane byte a line, one unit of 8 plane lines: two dot rows 8 dots wide. Dot (0, 0) has
    // the value 0101: the planes hold its bits inverted, 1 0 1 0. Every other dot is white.
    ThermalPrinter printer(Model80());
    printer.Receive("\x1cr\x01\x01\x00\x01\x00\x01\x00"s + "\x80\x00\x80\x00\x00\x00\x00\x00"s + "\x1cp\x01\x00"s);
    const StoredLogo& logo = printer.memory().logos.at(0);
    EXPECT_TRUE(logo.gray);
    EXPECT_EQ(logo.width, 8);
    EXPECT_EQ(logo.height, 2);
    EXPECT_EQ(printer.paper().InkAt(0, 0), 255 - 5 * 17);
    EXPECT_EQ(printer.paper().InkAt(1, 0), 0);
    EXPECT_EQ(printer.paper().InkAt(0, 1), 0);
}

TEST(ThermalPrinterSelfTest, TheTestPrintCommandPrintsAPageAndCuts) {
    ThermalPrinter printer(Model80());
    printer.Receive("\x1b" "c;\x01" "\x1d(A\x02\x00\x00\x02" "\x1b" "c;\x00"s);
    const PaperEvent* cut = FindEvent(printer.paper(), PaperEventKind::PartialCut);
    ASSERT_NE(cut, nullptr);
    EXPECT_GT(cut->row, 10 * 30);  // ten lines or more before it
    EXPECT_EQ(FindEvent(printer.paper(), PaperEventKind::Note), nullptr);
}

TEST(ThermalPrinterRoll, ThePaperRunsOutInsteadOfGrowingWithoutBound) {
    PrinterOptions options;
    options.maxRows = 100;
    ThermalPrinter printer(Model80(), {}, options);
    printer.Receive("\x1b" "d\xff" "H\n" + DiagonalLogoDownload() + "\x1cp\x01\x03"s);
    EXPECT_TRUE(printer.paper().ranOut());
    EXPECT_EQ(printer.paper().rows(), 100);
}

}  // namespace
}  // namespace thermal

namespace thermal {
namespace {

TEST(PrinterModel, PaperFollowsTheModelNameAndTheInterfaceThePort) {
    for (const char* name : {"VTX-58R", "VTX-E58"}) {
        EXPECT_EQ(ModelNamed(name).paperMm, 58) << name;
        EXPECT_EQ(ModelNamed(name).printDots, 384) << name;
    }
    for (const char* name : {"VTX-80R", "VTX-L40", "VTX-T30"}) {
        EXPECT_EQ(ModelNamed(name).paperMm, 80) << name;
        EXPECT_EQ(ModelNamed(name).printDots, 576) << name;
    }
    EXPECT_EQ(InterfaceOfPort("USB_VTX-80R_1"), "USB");
    EXPECT_EQ(InterfaceOfPort("ZKCOM1:"), "serial");
    EXPECT_EQ(InterfaceOfPort("com2:"), "serial");
    EXPECT_EQ(InterfaceOfPort("LPT1:"), "parallel");
    EXPECT_EQ(InterfaceOfPort("IP_192.168.1.50"), "network");
}

}  // namespace
}  // namespace thermal
