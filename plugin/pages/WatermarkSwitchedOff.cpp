// The module-wide note that the watermark was switched off.
#include "plugin/pages/WatermarkSwitchedOff.h"

namespace plugin {

namespace {
// Touched only on the sheet's user-interface thread.
bool watermarkSwitchedOff = false;
}  // namespace

void RaiseWatermarkSwitchedOff() { watermarkSwitchedOff = true; }

bool TakeWatermarkSwitchedOff() {
    const bool raised = watermarkSwitchedOff;
    watermarkSwitchedOff = false;
    return raised;
}

}  // namespace plugin
