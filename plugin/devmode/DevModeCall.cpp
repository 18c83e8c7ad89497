// The DevMode method of the plug-in: size, defaults, conversion and merge of the private block.
#include "plugin/devmode/DevModeCall.h"

#include <algorithm>
#include <cstring>

#include "platform/win_constants.h"

namespace plugin {

namespace {

std::uint32_t ReadUint32At(const void* block, std::size_t offset) {
    LeUint32 field;
    std::memcpy(&field, static_cast<const std::uint8_t*>(block) + offset, sizeof field);
    return field;
}

}  // namespace

void ConvertOemDevmode(const void* in, void* out) {
    if (!in || !out) return;
    const std::uint32_t inSignature = ReadUint32At(in, offsetof(OemDevmode, dwSignature));
    const std::uint32_t inSize = ReadUint32At(in, offsetof(OemDevmode, dwSize));
    const std::uint32_t outSignature = ReadUint32At(out, offsetof(OemDevmode, dwSignature));
    const std::uint32_t outSize = ReadUint32At(out, offsetof(OemDevmode, dwSize));

    // Built aside and copied out at the end, so an input that is the output buffer itself is
    // read before the defaults overwrite it.
    OemDevmode result = DefaultOemDevmode();
    if (inSignature == outSignature) {
        // A size field beyond the block (damaged, or a larger block of a later version) must
        // not copy past either 1464-byte buffer.
        const std::size_t keep = std::min<std::size_t>({inSize, outSize, kOemDevmodeSize});
        std::memcpy(&result, in, keep);
        result.dwSize = kOemDevmodeSize;
        result.dwVersion = kPluginVersion;
    }
    std::memcpy(out, &result, sizeof result);
}

void ValidateOemDevmode(void* block) {
    OemDevmode dm;
    std::memcpy(&dm, block, sizeof dm);
    StampOemDevmodeHeader(dm);
    if (dm.reservedValue > 100) dm.reservedValue = 0;
    std::memcpy(block, &dm, sizeof dm);
}

com::HRESULT DevMode(plat::LastError& lastError, com::DWORD mode, com::OEMDMPARAM* param) {
    if (!param) {
        lastError.SetLastError(ERROR_INVALID_PARAMETER);
        return E_FAIL;
    }
    switch (mode) {
        case OEMDM_SIZE:
            param->cbBufSize = kOemDevmodeSize;
            return S_OK;
        case OEMDM_DEFAULT:
            if (param->pOEMDMOut) {
                const OemDevmode defaults = DefaultOemDevmode();
                std::memcpy(param->pOEMDMOut, &defaults, sizeof defaults);
            }
            return S_OK;
        case OEMDM_CONVERT:
            ConvertOemDevmode(param->pOEMDMIn, param->pOEMDMOut);
            return S_OK;
        case OEMDM_MERGE:
            ConvertOemDevmode(param->pOEMDMIn, param->pOEMDMOut);
            if (param->pOEMDMOut) ValidateOemDevmode(param->pOEMDMOut);
            return S_OK;
        default:
            lastError.SetLastError(ERROR_INVALID_PARAMETER);
            return E_FAIL;
    }
}

}  // namespace plugin
