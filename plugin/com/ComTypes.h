// The COM types the plug-in implements, declared with their Windows layout and calling convention.
//
// Interfaces are abstract classes whose virtual methods stand in slot order with no virtual
// destructor: with g++ and mingw-w64 that is exactly the COM vtable. Methods use the Windows
// calling convention (__stdcall on 32-bit Windows; the macro is empty natively).
#pragma once
#include <cstdint>

#if defined(_WIN32)
#define PLUGIN_STDCALL __stdcall
#else
#define PLUGIN_STDCALL
#endif

namespace plugin::com {

// HRESULT is a 32-bit LONG on Windows; `long` is 64 bits natively, so the width is spelled out.
using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using LONG = std::int32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BOOL = std::int32_t;
using LPARAM = std::intptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using HANDLE = void*;

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;

constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

}  // namespace plugin::com

// Result codes under Windows' names and numbers, as macros like Windows' own: a file that
// includes <windows.h> first keeps Windows' definitions, which have the same values.
#ifndef S_OK
#define S_OK 0
#define S_FALSE 1
#define E_NOTIMPL static_cast<::plugin::com::HRESULT>(0x80004001u)
#define E_NOINTERFACE static_cast<::plugin::com::HRESULT>(0x80004002u)
#define E_POINTER static_cast<::plugin::com::HRESULT>(0x80004003u)
#define E_FAIL static_cast<::plugin::com::HRESULT>(0x80004005u)
#define E_OUTOFMEMORY static_cast<::plugin::com::HRESULT>(0x8007000Eu)
#define CLASS_E_NOAGGREGATION static_cast<::plugin::com::HRESULT>(0x80040110u)
#define CLASS_E_CLASSNOTAVAILABLE static_cast<::plugin::com::HRESULT>(0x80040111u)
#endif

namespace plugin::com {

// {00000000-0000-0000-C000-000000000046}
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000,
                                     {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
// {00000001-0000-0000-C000-000000000046}
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000,
                                          {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class IUnknown {
public:
    virtual HRESULT PLUGIN_STDCALL QueryInterface(const IID& riid, void** ppv) = 0;
    virtual ULONG PLUGIN_STDCALL AddRef() = 0;
    virtual ULONG PLUGIN_STDCALL Release() = 0;

protected:
    ~IUnknown() = default;  // objects go away through Release, never through delete
};

class IClassFactory : public IUnknown {
public:
    virtual HRESULT PLUGIN_STDCALL CreateInstance(IUnknown* outer, const IID& riid,
                                                  void** ppv) = 0;
    virtual HRESULT PLUGIN_STDCALL LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};

}  // namespace plugin::com
