// Fuzz target: the virtual thermal printer's interpreter on arbitrary bytes. Nothing is read
// out of bounds, the paper stays within its roll, every event lies on the paper, and the same
// bytes replayed for state only leave the same stored logos and ID as when printed.
#include "tests/fuzz/fuzz_support.h"
#include "tools/thermalprinter/paper_picture.h"
#include "tools/thermalprinter/thermal_printer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    thermal::PrinterOptions options;
    options.maxRows = 1000;  // a short roll keeps each input quick; running out is covered too
    const thermal::PrinterModel model = thermal::ModelNamed(size % 2 ? "VTX-58R" : "VTX-80R");

    thermal::ThermalPrinter printed(model, {}, options);
    printed.Receive(bytes);
    const thermal::Paper& paper = printed.paper();
    FUZZ_CHECK(paper.rows() <= options.maxRows && paper.cursor() <= options.maxRows, "the paper outgrew its roll");
    for (const thermal::PaperEvent& e : paper.events())
        FUZZ_CHECK(e.row >= 0 && e.row <= e.endRow && e.endRow <= paper.cursor(), "an event off the paper");

    thermal::ThermalPrinter replayed(model, {}, options);
    replayed.Replay(bytes);
    FUZZ_CHECK(replayed.paper().rows() == 0 && replayed.paper().events().empty(), "a replay printed");
    FUZZ_CHECK(replayed.memory().internalId == printed.memory().internalId, "a replay set another ID");
    FUZZ_CHECK(replayed.memory().logos.size() == printed.memory().logos.size(), "a replay stored other logos");

    // The picture of a short paper (every event label included): drawing one costs more than
    // interpreting, so long papers are left to the unit tests.
    if (paper.rows() <= 300) {
        const plat::PixelImage picture = thermal::PaperPicture(paper, model);
        FUZZ_CHECK(picture.width > paper.width() && picture.height >= paper.rows(), "the picture lost the paper");
    }
    return 0;
}
