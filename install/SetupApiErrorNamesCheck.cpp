// Windows build only: every row of the error-name table has the value of the system header's
// macro of the same name, so a typing error in the table cannot survive a Windows build.
#include <windows.h>
#include <setupapi.h>

#include "install/SetupApiErrorNames.h"

#define PKG_SETUPAPI_ERROR_CHECK(name, value)                                     \
    static_assert(static_cast<unsigned long>(name) == static_cast<unsigned long>(value), \
                  #name " differs from setupapi.h");
PKG_SETUPAPI_ERROR_ROWS(PKG_SETUPAPI_ERROR_CHECK)
#undef PKG_SETUPAPI_ERROR_CHECK
