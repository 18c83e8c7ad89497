// The DevMode method of the plug-in: size, defaults, conversion and merge of the private block.
#include "plugin/devmode/DevModeCall.h"

#include <algorithm>
#include <cstring>

#include "platform/win_constants.h"

namespace plugin {

namespace {

// Where DEVMODEW keeps its own size and the size of the driver's part that follows it.
constexpr std::size_t kDmSizeOffset = 68;
constexpr std::size_t kDmDriverExtraOffset = 70;
constexpr std::size_t kHeaderBytes = offsetof(OemDevmode, dwSignature) + sizeof(LeUint32);

std::uint32_t ReadUint32At(const void* block, std::size_t offset) {
    LeUint32 field;
    std::memcpy(&field, static_cast<const std::uint8_t*>(block) + offset, sizeof field);
    return field;
}

std::uint16_t ReadUint16At(const void* block, std::size_t offset) {
    const auto* bytes = static_cast<const std::uint8_t*>(block) + offset;
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

com::HRESULT Refuse(plat::LastError& lastError, std::uint32_t code) {
    lastError.SetLastError(code);
    return E_FAIL;
}

}  // namespace

std::size_t BytesAfterInDevmode(const void* publicDm, const void* block) {
    if (!publicDm || !block) return kUnknownBufferSize;
    const std::size_t dmSize = ReadUint16At(publicDm, kDmSizeOffset);
    const std::size_t extra = ReadUint16At(publicDm, kDmDriverExtraOffset);
    const auto start = reinterpret_cast<std::uintptr_t>(publicDm);
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    if (at < start + dmSize || at >= start + dmSize + extra) return kUnknownBufferSize;
    return start + dmSize + extra - at;
}

void ConvertOemDevmode(const void* in, std::size_t inBufferBytes, void* out) {
    if (!in || !out) return;
    const std::uint32_t outSignature = ReadUint32At(out, offsetof(OemDevmode, dwSignature));
    const std::uint32_t outSize = ReadUint32At(out, offsetof(OemDevmode, dwSize));

    // Built aside and copied out at the end, so an input that is the output buffer itself is
    // read before the defaults overwrite it.
    OemDevmode result = DefaultOemDevmode();
    if (inBufferBytes >= kHeaderBytes &&
        ReadUint32At(in, offsetof(OemDevmode, dwSignature)) == outSignature) {
        // A size field beyond the block (damaged, or a larger block of a later version) must
        // not copy past either 1464-byte block nor past the buffer the input really has.
        const std::uint32_t inSize = ReadUint32At(in, offsetof(OemDevmode, dwSize));
        const std::size_t keep =
            std::min<std::size_t>({inSize, outSize, kOemDevmodeSize, inBufferBytes});
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
    if (!param) return Refuse(lastError, ERROR_INVALID_PARAMETER);
    switch (mode) {
        case OEMDM_SIZE:
            param->cbBufSize = kOemDevmodeSize;
            return S_OK;
        case OEMDM_DEFAULT:
            if (param->pOEMDMOut) {
                if (param->cbBufSize < kOemDevmodeSize)
                    return Refuse(lastError, ERROR_INSUFFICIENT_BUFFER);
                const OemDevmode defaults = DefaultOemDevmode();
                std::memcpy(param->pOEMDMOut, &defaults, sizeof defaults);
            }
            return S_OK;
        case OEMDM_CONVERT:
        case OEMDM_MERGE: {
            if (!param->pOEMDMOut) return S_OK;  // nothing to convert into
            if (param->cbBufSize < kOemDevmodeSize)
                return Refuse(lastError, ERROR_INSUFFICIENT_BUFFER);
            const std::size_t inBytes = BytesAfterInDevmode(param->pPublicDMIn, param->pOEMDMIn);
            ConvertOemDevmode(param->pOEMDMIn, inBytes, param->pOEMDMOut);
            if (mode == OEMDM_MERGE) ValidateOemDevmode(param->pOEMDMOut);
            return S_OK;
        }
        default:
            return Refuse(lastError, ERROR_INVALID_PARAMETER);
    }
}

}  // namespace plugin
