// Spooler forms: the paper sizes the print server knows, listed, added, changed and deleted
// through a printer handle as winspool's EnumFormsW, AddFormW, SetFormW and DeleteFormW do.
#pragma once
#include <cstdint>

#include "platform/raw_printing.h"

namespace plat {

// SIZEL and RECTL: lengths in thousandths of a millimetre.
struct SIZEL {
    std::int32_t cx;
    std::int32_t cy;
};
struct RECTL {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

// FORM_INFO_1W with winspool's layout (the Windows build checks it against the real header).
// Flags is FORM_USER, FORM_BUILTIN or FORM_PRINTER; the name is UTF-16.
struct FORM_INFO_1W {
    std::uint32_t Flags;
    char16_t* pName;
    SIZEL Size;
    RECTL ImageableArea;
};

// The form calls on a printer handle (forms belong to the print server: every printer sees the
// same ones). A BOOL becomes bool and sets the thread's last error; while the spooler service is
// not running every call fails with RPC_S_SERVER_UNAVAILABLE, on an unknown handle with
// ERROR_INVALID_HANDLE. Only level 1 is used.
class Forms {
public:
    virtual ~Forms() = default;

    // EnumFormsW level 1: FORM_INFO_1W records, their names behind them, built-in forms first.
    // `needed` receives the size in bytes; ERROR_INSUFFICIENT_BUFFER when `size` is too small.
    virtual bool EnumFormsW(PrinterHandle printer, std::uint32_t level, std::uint8_t* buffer,
                            std::uint32_t size, std::uint32_t& needed,
                            std::uint32_t& returned) = 0;
    // AddFormW level 1: ERROR_FILE_EXISTS when a form of that name exists (letter case aside),
    // ERROR_INVALID_FORM_NAME for an empty name, ERROR_INVALID_FORM_SIZE for a size or
    // imageable area that is empty, ERROR_ACCESS_DENIED for a user who may not administer the
    // print server.
    virtual bool AddFormW(PrinterHandle printer, std::uint32_t level, const FORM_INFO_1W& form) = 0;
    // SetFormW level 1: the size and imageable area of the form `name` (the record's name is not
    // used). ERROR_INVALID_FORM_NAME for an unknown form, ERROR_INVALID_PARAMETER for a built-in
    // one, the size and rights errors as AddFormW.
    virtual bool SetFormW(PrinterHandle printer, const char16_t* name, std::uint32_t level,
                          const FORM_INFO_1W& form) = 0;
    // DeleteFormW: ERROR_INVALID_FORM_NAME for an unknown form, ERROR_INVALID_PARAMETER for a
    // built-in one, ERROR_ACCESS_DENIED as AddFormW.
    virtual bool DeleteFormW(PrinterHandle printer, const char16_t* name) = 0;
};

}  // namespace plat
