// The SetupAPI error-name table.
#include "install/SetupApiErrorNames.h"

#include <iterator>

namespace install {

namespace {

#define PKG_SETUPAPI_ERROR_ROW(name, value) {value, #name},
constexpr SetupApiErrorName kRows[] = {PKG_SETUPAPI_ERROR_ROWS(PKG_SETUPAPI_ERROR_ROW)};
#undef PKG_SETUPAPI_ERROR_ROW

}  // namespace

std::span<const SetupApiErrorName> SetupApiErrorNames() { return kRows; }

const char* FindSetupApiErrorName(std::uint32_t code) {
    for (const SetupApiErrorName& row : kRows)
        if (row.code == code) return row.name;
    return nullptr;
}

}  // namespace install
