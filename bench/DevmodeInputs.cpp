// Realistic inputs for the DevMode benchmarks: the defaults with a cut, a drawer, a text
// watermark and a smaller scale chosen, as a receipt printer's user sets them.
#include "DevmodeInputs.h"

#include <cstring>

#include "plugin/devmode/OemDevmode.h"

namespace bench {

namespace {

const driverui::FormChoice kA4{u"A4", 9};

driverui::DeviceMode WithBlock(const plugin::OemDevmode& block, std::uint16_t size) {
    driverui::DeviceMode dm(driverui::DefaultPublicDevmode(u"Receipt", size, &kA4), size);
    std::memcpy(dm.privateBlock(), &block, size);
    return dm;
}

plugin::OemDevmode UsersBlock() {
    plugin::OemDevmode block = plugin::DefaultOemDevmode();
    block.endDocument.paperCut = 2;  // full cut
    block.startDocument.cashDrawer = 1;
    block.watermarkMode = plugin::WatermarkMode::Text;
    block.watermarkText.assign(u"COPY");
    block.scalePercent = 80;
    return block;
}

}  // namespace

driverui::DeviceMode NewDevmode() {
    return driverui::DeviceMode(
        driverui::DefaultPublicDevmode(u"Receipt", plugin::kOemDevmodeSize, &kA4),
        plugin::kOemDevmodeSize);
}

driverui::DeviceMode StoredCurrentDevmode() {
    return WithBlock(UsersBlock(), plugin::kOemDevmodeSize);
}

driverui::DeviceMode StoredOlderDevmode() {
    plugin::OemDevmode block = UsersBlock();
    block.dwSize = kOlderBlockSize;
    block.dwVersion = 0;
    return WithBlock(block, kOlderBlockSize);
}

}  // namespace bench
