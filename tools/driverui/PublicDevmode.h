// The public device mode (DEVMODEW) as the universal driver keeps it in front of the plug-in's
// private block: the 220-byte record with its published layout, and the defaults the host gives
// a printer that has no stored device mode yet.
//
// The record sits at the start of a byte buffer that also holds the private block, so its fields
// are bytes read and written little-endian, like the plug-in's own stored records.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "plugin/devmode/PackedFields.h"

namespace driverui {

// A little-endian 16-bit field (WORD, or short read as two's complement).
struct LeUint16 {
    std::uint8_t bytes[2];

    constexpr operator std::uint16_t() const {
        return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    }
    constexpr LeUint16& operator=(std::uint16_t value) {
        bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
        bytes[1] = static_cast<std::uint8_t>(value >> 8);
        return *this;
    }
};

inline constexpr std::uint16_t kDevmodeSpecVersion = 0x0401;  // DM_SPECVERSION
inline constexpr std::uint32_t kDmOrientation = 0x00000001;   // DM_ORIENTATION
inline constexpr std::uint32_t kDmPaperSize = 0x00000002;     // DM_PAPERSIZE
inline constexpr std::uint32_t kDmFormName = 0x00010000;      // DM_FORMNAME
inline constexpr std::uint16_t kOrientPortrait = 1;           // DMORIENT_PORTRAIT
inline constexpr std::size_t kDeviceNameCapacity = 32;        // CCHDEVICENAME
inline constexpr std::size_t kFormNameCapacity = 32;          // CCHFORMNAME

// DEVMODEW with the printer half of its unions (dmOrientation ... dmPrintQuality) and dmNup.
struct PublicDevmode {
    plugin::Utf16Text<kDeviceNameCapacity> dmDeviceName;  // 0
    LeUint16 dmSpecVersion;                               // 64
    LeUint16 dmDriverVersion;                             // 66
    LeUint16 dmSize;                                      // 68
    LeUint16 dmDriverExtra;                               // 70: bytes of the private block behind
    plugin::LeUint32 dmFields;                            // 72: DM_* of the fields in use
    LeUint16 dmOrientation;                               // 76
    LeUint16 dmPaperSize;                                 // 78: DMPAPER_*, the form's number
    LeUint16 dmPaperLength;                               // 80
    LeUint16 dmPaperWidth;                                // 82
    LeUint16 dmScale;                                     // 84
    LeUint16 dmCopies;                                    // 86
    LeUint16 dmDefaultSource;                             // 88
    LeUint16 dmPrintQuality;                              // 90
    LeUint16 dmColor;                                     // 92
    LeUint16 dmDuplex;                                    // 94
    LeUint16 dmYResolution;                               // 96
    LeUint16 dmTTOption;                                  // 98
    LeUint16 dmCollate;                                   // 100
    plugin::Utf16Text<kFormNameCapacity> dmFormName;      // 102
    LeUint16 dmLogPixels;                                 // 166
    plugin::LeUint32 dmBitsPerPel;                        // 168
    plugin::LeUint32 dmPelsWidth;                         // 172
    plugin::LeUint32 dmPelsHeight;                        // 176
    plugin::LeUint32 dmNup;                               // 180 (dmDisplayFlags)
    plugin::LeUint32 dmDisplayFrequency;                  // 184
    plugin::LeUint32 dmICMMethod;                         // 188
    plugin::LeUint32 dmICMIntent;                         // 192
    plugin::LeUint32 dmMediaType;                         // 196
    plugin::LeUint32 dmDitherType;                        // 200
    plugin::LeUint32 dmReserved1;                         // 204
    plugin::LeUint32 dmReserved2;                         // 208
    plugin::LeUint32 dmPanningWidth;                      // 212
    plugin::LeUint32 dmPanningHeight;                     // 216
};

inline constexpr std::uint16_t kPublicDevmodeSize = 220;
static_assert(sizeof(PublicDevmode) == kPublicDevmodeSize);
static_assert(alignof(PublicDevmode) == 1);
static_assert(offsetof(PublicDevmode, dmDriverExtra) == 70);
static_assert(offsetof(PublicDevmode, dmPaperSize) == 78);
static_assert(offsetof(PublicDevmode, dmFormName) == 102);
static_assert(offsetof(PublicDevmode, dmPanningHeight) == 216);

// A form the spooler offers: its name and its number as dmPaperSize gives it (the position in
// the spooler's form list from 1, which for Windows' own forms is their DMPAPER_ value:
// Letter 1, A4 9).
struct FormChoice {
    std::u16string name;
    std::uint16_t paperSize = 0;
};

// The public part of a new device mode for the printer: the name cut to 31 characters,
// DM_SPECVERSION, dmSize 220, dmDriverExtra as given, portrait, and the form when
// one is given (DM_FORMNAME and DM_PAPERSIZE are set only then).
PublicDevmode DefaultPublicDevmode(std::u16string_view printerName, std::uint16_t driverExtra,
                                   const FormChoice* form);

// Puts the form into the device mode: dmFormName (cut to 31 characters), dmPaperSize, and
// both in dmFields.
void SetForm(PublicDevmode& devmode, const FormChoice& form);

}  // namespace driverui
