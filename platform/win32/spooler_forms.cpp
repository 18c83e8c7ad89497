// The spooler's form calls on Windows: each method is the winspool call it names, and the
// portable FORM_INFO_1W is checked against winspool's own.
#include <windows.h>
#include <winspool.h>

#include <cstddef>

#include "platform/win32/spooler.h"

namespace win32 {

namespace {

#define PKG_SAME_FORM_FIELD(field)                                                        \
    static_assert(offsetof(plat::FORM_INFO_1W, field) == offsetof(::FORM_INFO_1W, field) && \
                      sizeof(plat::FORM_INFO_1W::field) == sizeof(::FORM_INFO_1W::field),   \
                  "FORM_INFO_1W::" #field " differs from winspool's")
static_assert(sizeof(plat::FORM_INFO_1W) == sizeof(::FORM_INFO_1W));
PKG_SAME_FORM_FIELD(Flags);
PKG_SAME_FORM_FIELD(pName);
PKG_SAME_FORM_FIELD(Size);
PKG_SAME_FORM_FIELD(ImageableArea);
static_assert(sizeof(plat::SIZEL) == sizeof(::SIZEL) && sizeof(plat::RECTL) == sizeof(::RECTL));
static_assert(offsetof(plat::RECTL, bottom) == offsetof(::RECTL, bottom));
#undef PKG_SAME_FORM_FIELD

HANDLE AsHandle(plat::PrinterHandle printer) { return reinterpret_cast<HANDLE>(printer); }
LPWSTR Wide(const char16_t* text) { return reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text)); }
LPBYTE Bytes(const plat::FORM_INFO_1W& form) {
    return reinterpret_cast<LPBYTE>(const_cast<plat::FORM_INFO_1W*>(&form));
}

}  // namespace

bool Win32Spooler::EnumFormsW(plat::PrinterHandle printer, std::uint32_t level,
                              std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                              std::uint32_t& returned) {
    DWORD got = 0, count = 0;
    BOOL ok = ::EnumFormsW(AsHandle(printer), level, buffer, size, &got, &count);
    needed = got;
    returned = count;
    return ok != FALSE;
}

bool Win32Spooler::AddFormW(plat::PrinterHandle printer, std::uint32_t level,
                            const plat::FORM_INFO_1W& form) {
    return ::AddFormW(AsHandle(printer), level, Bytes(form)) != FALSE;
}

bool Win32Spooler::SetFormW(plat::PrinterHandle printer, const char16_t* name, std::uint32_t level,
                            const plat::FORM_INFO_1W& form) {
    return ::SetFormW(AsHandle(printer), Wide(name), level, Bytes(form)) != FALSE;
}

bool Win32Spooler::DeleteFormW(plat::PrinterHandle printer, const char16_t* name) {
    return ::DeleteFormW(AsHandle(printer), Wide(name)) != FALSE;
}

}  // namespace win32
