// The module-wide note from the watermark page to the main page that the watermark was switched
// off: the main page's next activation then shows "No" for text as graphics. It assumes one
// open document sheet at a time, as the rest of the pages' shared state does.
#pragma once

namespace plugin {

// The watermark page: the user chose "No Water Mark".
void RaiseWatermarkSwitchedOff();
// The main page: whether the note is up, lowering it.
bool TakeWatermarkSwitchedOff();

}  // namespace plugin
