// The tail every barcode test print ends with.
#pragma once
#include "plugin/commands/RawJob.h"

namespace plugin {

// Line feed, then GS V 66 0: feed to the cutting position and cut.
inline ByteString FeedAndCutCommand() { return {0x0A, 0x1D, 0x56, 0x42, 0x00}; }

}  // namespace plugin
