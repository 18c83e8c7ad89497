// winsim job N --render and winsim printer paper --render: the virtual thermal printer draws
// what the device received, and winsim says what is on the paper.
#include <cstdio>

#include "tools/thermalprinter/machine_feed.h"
#include "tools/thermalprinter/paper_picture.h"
#include "tools/thermalprinter/thermal_printer.h"
#include "tools/winsim/winsim.h"

namespace winsim {

namespace {

const char* KindName(thermal::PaperEventKind kind) {
    switch (kind) {
        case thermal::PaperEventKind::FullCut: return "cut";
        case thermal::PaperEventKind::PartialCut: return "cut";
        case thermal::PaperEventKind::Drawer: return "drawer";
        case thermal::PaperEventKind::Buzzer: return "buzzer";
        case thermal::PaperEventKind::IdChange: return "id";
        case thermal::PaperEventKind::Note: return "note";
        case thermal::PaperEventKind::Remark: return "remark";
    }
    return "";
}

}  // namespace

int RenderFeedToPng(const thermal::DeviceFeed& feed, const std::string& file) {
    thermal::PrinterMemory memory;
    if (feed.internalId >= 0) memory.internalId = feed.internalId;
    thermal::ThermalPrinter printer(feed.model, memory);
    printer.Replay(feed.earlier);
    printer.Receive(feed.bytes);
    std::string error;
    if (!thermal::WritePaperPng(printer.paper(), printer.model(), file, error))
        return Failure("cannot write the picture: " + error);
    const thermal::Paper& paper = printer.paper();
    std::printf("%s on %s (%d mm, %s): %d bytes printed on %.1f mm of paper -> %s\n",
                feed.model.name.c_str(), feed.port.c_str(), feed.model.paperMm, feed.model.interface.c_str(),
                static_cast<int>(feed.bytes.size()), paper.cursor() * 25.4 / thermal::kDotsPerInch, file.c_str());
    for (const thermal::PaperEvent& e : paper.events())
        std::printf("  at %5.1f mm  %-7s %s\n", e.row * 25.4 / thermal::kDotsPerInch, KindName(e.kind), e.text.c_str());
    if (paper.ranOut()) std::printf("  the roll ran out: the rest was not printed\n");
    return kExitOk;
}

}  // namespace winsim
