// The DevMode method of the plug-in: size, defaults, conversion and merge of the private block.
#pragma once
#include <cstddef>

#include "platform/last_error.h"
#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/OemDevmode.h"

namespace plugin {

// Stands for an input buffer whose real size the caller does not know.
inline constexpr std::size_t kUnknownBufferSize = static_cast<std::size_t>(-1);

// The bytes the public device mode at `publicDm` holds from `block` on, by its dmSize and
// dmDriverExtra: the universal driver keeps the plug-in's block in the driver-extra part.
// kUnknownBufferSize when `publicDm` is null or `block` does not lie in that part.
std::size_t BytesAfterInDevmode(const void* publicDm, const void* block);

// Converts the block at `in` into the block at `out`, which holds at least 1464 bytes. `in`
// may be a shorter, older block, and its buffer may hold only `inBufferBytes` bytes whatever
// its size field says. A block of another signature, or a buffer too short for the header's
// signature, becomes the default block; a block of the plug-in's signature keeps as many
// leading bytes as both blocks' sizes and the input buffer allow (never more than 1464) and
// gains defaults after them. Either pointer null: nothing happens. `in` and `out` may be the
// same buffer.
void ConvertOemDevmode(const void* in, std::size_t inBufferBytes, void* out);

// After a merge: stamps the header again and resets the offset-12 value to 0 when above 100.
void ValidateOemDevmode(void* block);

// IPrintOemUI::DevMode. Every known mode returns S_OK; a null parameter block or another mode
// sets ERROR_INVALID_PARAMETER and returns E_FAIL. The output block's buffer is cbBufSize bytes:
// when that is less than 1464, the default, convert and merge modes write nothing, set
// ERROR_INSUFFICIENT_BUFFER and return E_FAIL. The input block is read no further than the end
// of the public input device mode it lies in (pPublicDMIn's dmSize + dmDriverExtra).
com::HRESULT DevMode(plat::LastError& lastError, com::DWORD mode, com::OEMDMPARAM* param);

}  // namespace plugin
