// Checks that the portable DCB has exactly the layout of winbase's own: field offsets and
// sizes, and the place of each flag bit, read from a real DCB's bytes at compile time.
#include <windows.h>

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "platform/comm_records.h"

namespace win32 {

#define PKG_SAME_DCB_FIELD(field)                                                   \
    static_assert(offsetof(plat::DCB, field) == offsetof(::DCB, field) &&           \
                      sizeof(plat::DCB::field) == sizeof(::DCB::field),             \
                  "DCB::" #field " differs from winbase's")

static_assert(sizeof(plat::DCB) == sizeof(::DCB));
PKG_SAME_DCB_FIELD(DCBlength);
PKG_SAME_DCB_FIELD(BaudRate);
PKG_SAME_DCB_FIELD(wReserved);
PKG_SAME_DCB_FIELD(XonLim);
PKG_SAME_DCB_FIELD(XoffLim);
PKG_SAME_DCB_FIELD(ByteSize);
PKG_SAME_DCB_FIELD(Parity);
PKG_SAME_DCB_FIELD(StopBits);
PKG_SAME_DCB_FIELD(XonChar);
PKG_SAME_DCB_FIELD(XoffChar);
PKG_SAME_DCB_FIELD(ErrorChar);
PKG_SAME_DCB_FIELD(EofChar);
PKG_SAME_DCB_FIELD(EvtChar);
PKG_SAME_DCB_FIELD(wReserved1);
static_assert(offsetof(plat::DCB, flags) == offsetof(::DCB, BaudRate) + sizeof(::DWORD));

namespace {

// The flag word of a real DCB with the bits `set` switched on.
template <typename Set>
constexpr std::uint32_t FlagWord(Set set) {
    ::DCB d{};
    set(d);
    const auto bytes = std::bit_cast<std::array<std::uint8_t, sizeof(::DCB)>>(d);
    const std::size_t at = offsetof(plat::DCB, flags);
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

}  // namespace

static_assert(FlagWord([](::DCB& d) { d.fBinary = 1; }) == plat::kDcbBinary);
static_assert(FlagWord([](::DCB& d) { d.fParity = 1; }) == plat::kDcbParity);
static_assert(FlagWord([](::DCB& d) { d.fOutxCtsFlow = 1; }) == plat::kDcbOutxCtsFlow);
static_assert(FlagWord([](::DCB& d) { d.fOutxDsrFlow = 1; }) == plat::kDcbOutxDsrFlow);
static_assert(FlagWord([](::DCB& d) { d.fDtrControl = 1; }) == 1u << plat::kDcbDtrControlShift);
static_assert(FlagWord([](::DCB& d) { d.fDsrSensitivity = 1; }) == plat::kDcbDsrSensitivity);
static_assert(FlagWord([](::DCB& d) { d.fTXContinueOnXoff = 1; }) == plat::kDcbTxContinueOnXoff);
static_assert(FlagWord([](::DCB& d) { d.fOutX = 1; }) == plat::kDcbOutX);
static_assert(FlagWord([](::DCB& d) { d.fInX = 1; }) == plat::kDcbInX);
static_assert(FlagWord([](::DCB& d) { d.fErrorChar = 1; }) == plat::kDcbErrorChar);
static_assert(FlagWord([](::DCB& d) { d.fNull = 1; }) == plat::kDcbNull);
static_assert(FlagWord([](::DCB& d) { d.fRtsControl = RTS_CONTROL_ENABLE; }) ==
              RTS_CONTROL_ENABLE << plat::kDcbRtsControlShift);
static_assert(FlagWord([](::DCB& d) { d.fAbortOnError = 1; }) == plat::kDcbAbortOnError);

}  // namespace win32
