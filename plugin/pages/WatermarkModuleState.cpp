// The watermark page's module-wide state.
#include "plugin/pages/WatermarkModuleState.h"

namespace plugin {

namespace {
// Touched only on the sheet's user-interface thread.
WatermarkModuleState state;
}  // namespace

WatermarkModuleState& WatermarkState() { return state; }

void ResetWatermarkState() { state = WatermarkModuleState{}; }

}  // namespace plugin
