// INF files and setup classes on Windows: SetupAPI's own calls. plat::INFCONTEXT and plat::GUID
// have Windows' layouts, checked here, so they pass straight through.
#include <windows.h>
#include <setupapi.h>

#include <cstddef>

#include "platform/win32/device_installation.h"

namespace win32 {

namespace {

static_assert(sizeof(plat::INFCONTEXT) == sizeof(::INFCONTEXT));
static_assert(offsetof(plat::INFCONTEXT, Inf) == offsetof(::INFCONTEXT, Inf));
static_assert(offsetof(plat::INFCONTEXT, CurrentInf) == offsetof(::INFCONTEXT, CurrentInf));
static_assert(offsetof(plat::INFCONTEXT, Section) == offsetof(::INFCONTEXT, Section));
static_assert(offsetof(plat::INFCONTEXT, Line) == offsetof(::INFCONTEXT, Line));
static_assert(sizeof(plat::GUID) == sizeof(::GUID));
static_assert(offsetof(plat::GUID, Data2) == offsetof(::GUID, Data2));
static_assert(offsetof(plat::GUID, Data3) == offsetof(::GUID, Data3));
static_assert(offsetof(plat::GUID, Data4) == offsetof(::GUID, Data4));

::INFCONTEXT* Theirs(plat::INFCONTEXT& c) { return reinterpret_cast<::INFCONTEXT*>(&c); }
// SetupAPI declares its input contexts writable but only reads them.
::INFCONTEXT* Theirs(const plat::INFCONTEXT& c) {
    return reinterpret_cast<::INFCONTEXT*>(const_cast<plat::INFCONTEXT*>(&c));
}

}  // namespace

plat::InfHandle Win32DeviceInstallation::SetupOpenInfFileA(const char* fileName,
                                                           std::uint32_t style,
                                                           std::uint32_t* errorLine) {
    UINT line = 0;
    HINF inf = ::SetupOpenInfFileA(fileName, nullptr, style, &line);
    if (errorLine) *errorLine = line;
    return inf == INVALID_HANDLE_VALUE ? plat::kInvalidInf : inf;
}

void Win32DeviceInstallation::SetupCloseInfFile(plat::InfHandle inf) { ::SetupCloseInfFile(inf); }

bool Win32DeviceInstallation::SetupFindFirstLineA(plat::InfHandle inf, const char* section,
                                                  const char* key, plat::INFCONTEXT& context) {
    return ::SetupFindFirstLineA(inf, section, key, Theirs(context)) != FALSE;
}

bool Win32DeviceInstallation::SetupFindNextLine(const plat::INFCONTEXT& in,
                                                plat::INFCONTEXT& out) {
    return ::SetupFindNextLine(Theirs(in), Theirs(out)) != FALSE;
}

bool Win32DeviceInstallation::SetupFindNextMatchLineA(const plat::INFCONTEXT& in,
                                                      const char* key, plat::INFCONTEXT& out) {
    return ::SetupFindNextMatchLineA(Theirs(in), key, Theirs(out)) != FALSE;
}

std::uint32_t Win32DeviceInstallation::SetupGetFieldCount(const plat::INFCONTEXT& context) {
    return ::SetupGetFieldCount(Theirs(context));
}

bool Win32DeviceInstallation::SetupGetStringFieldA(const plat::INFCONTEXT& context,
                                                   std::uint32_t index, char* buffer,
                                                   std::uint32_t size,
                                                   std::uint32_t* requiredSize) {
    DWORD required = 0;
    const BOOL ok = ::SetupGetStringFieldA(Theirs(context), index, buffer, size, &required);
    if (requiredSize) *requiredSize = required;
    return ok != FALSE;
}

bool Win32DeviceInstallation::SetupDiGetINFClassA(const char* infName, plat::GUID& classGuid,
                                                  char* className, std::uint32_t size,
                                                  std::uint32_t* requiredSize) {
    DWORD required = 0;
    const BOOL ok = ::SetupDiGetINFClassA(infName, reinterpret_cast<::GUID*>(&classGuid),
                                          className, size, &required);
    if (requiredSize) *requiredSize = required;
    return ok != FALSE;
}

bool Win32DeviceInstallation::SetupDiClassGuidsFromNameA(const char* className,
                                                         plat::GUID* list, std::uint32_t size,
                                                         std::uint32_t& requiredSize) {
    DWORD required = 0;
    const BOOL ok = ::SetupDiClassGuidsFromNameA(className, reinterpret_cast<::GUID*>(list),
                                                 size, &required);
    requiredSize = required;
    return ok != FALSE;
}

}  // namespace win32
