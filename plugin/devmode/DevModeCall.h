// The DevMode method of the plug-in: size, defaults, conversion and merge of the private block.
#pragma once
#include "platform/last_error.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugin {

// Converts the block at `in` into the block at `out` (1464 bytes each at most; `in` may be a
// shorter, older block). A block of another signature becomes the default block; a block of
// the plug-in's signature keeps as many leading bytes as both blocks' sizes allow (never more
// than 1464) and gains defaults after them. Either pointer null: nothing happens. `in` and
// `out` may be the same buffer.
void ConvertOemDevmode(const void* in, void* out);

// After a merge: stamps the header again and resets the offset-12 value to 0 when above 100.
void ValidateOemDevmode(void* block);

// IPrintOemUI::DevMode. Every known mode returns S_OK; a null parameter block or another mode
// sets ERROR_INVALID_PARAMETER and returns E_FAIL.
com::HRESULT DevMode(plat::LastError& lastError, com::DWORD mode, com::OEMDMPARAM* param);

}  // namespace plugin
