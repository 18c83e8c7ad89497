// The registry on Windows: the advapi32 Reg* calls, with KEY_WOW64_* selecting the view.
#include <windows.h>

#include "platform/win32/registry.h"

#include "platform/win32/module_lookup.h"

namespace win32 {

namespace {

using RegDeleteKeyExAFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);

HKEY RootKey(plat::RegRoot root) {
    switch (root) {
    case plat::RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case plat::RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case plat::RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case plat::RegRoot::Users: return HKEY_USERS;
    }
    return HKEY_LOCAL_MACHINE;
}

REGSAM ViewFlag(plat::RegView view) {
    switch (view) {
    case plat::RegView::View32: return KEY_WOW64_32KEY;
    case plat::RegView::View64: return KEY_WOW64_64KEY;
    case plat::RegView::Default: break;
    }
    return 0;
}

// An open registry key, closed on destruction.
class OpenRegKey {
public:
    OpenRegKey() = default;
    ~OpenRegKey() {
        if (key_) ::RegCloseKey(key_);
    }
    OpenRegKey(const OpenRegKey&) = delete;
    OpenRegKey& operator=(const OpenRegKey&) = delete;

    LONG Open(plat::RegRoot root, const char* path, REGSAM access, plat::RegView view) {
        return ::RegOpenKeyExA(RootKey(root), path, 0, access | ViewFlag(view), &key_);
    }
    HKEY get() const { return key_; }
    HKEY* out() { return &key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::int32_t Win32Registry::CreateKey(plat::RegRoot root, const char* path, plat::RegView view) {
    OpenRegKey key;
    return ::RegCreateKeyExA(RootKey(root), path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_QUERY_VALUE | ViewFlag(view), nullptr, key.out(), nullptr);
}

std::int32_t Win32Registry::OpenKey(plat::RegRoot root, const char* path, plat::RegView view) {
    OpenRegKey key;
    return key.Open(root, path, KEY_READ, view);
}

std::int32_t Win32Registry::DeleteKey(plat::RegRoot root, const char* path, plat::RegView view) {
    // RegDeleteKeyExA, the only call that takes a view, exists from XP x64 on.
    auto regDeleteKeyExA =
        FindExport<RegDeleteKeyExAFn>(::GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA");
    if (regDeleteKeyExA) return regDeleteKeyExA(RootKey(root), path, ViewFlag(view), 0);
    return ::RegDeleteKeyA(RootKey(root), path);
}

std::int32_t Win32Registry::SetValue(plat::RegRoot root, const char* path, const char* name,
                                     std::uint32_t type, const std::vector<std::uint8_t>& data,
                                     plat::RegView view) {
    OpenRegKey key;
    LONG result = key.Open(root, path, KEY_SET_VALUE, view);
    if (result != ERROR_SUCCESS) return result;
    return ::RegSetValueExA(key.get(), name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

std::int32_t Win32Registry::QueryValue(plat::RegRoot root, const char* path, const char* name,
                                       std::uint32_t& type, std::vector<std::uint8_t>& data,
                                       plat::RegView view) {
    OpenRegKey key;
    LONG result = key.Open(root, path, KEY_QUERY_VALUE, view);
    if (result != ERROR_SUCCESS) return result;
    DWORD valueType = 0;
    DWORD size = 0;
    result = ::RegQueryValueExA(key.get(), name, nullptr, &valueType, nullptr, &size);
    // The value can grow between the size query and the read: ask again until it fits.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        data.resize(size);
        DWORD got = size;
        result = ::RegQueryValueExA(key.get(), name, nullptr, &valueType, data.data(), &got);
        if (result == ERROR_SUCCESS) {
            data.resize(got);
            type = valueType;
            return ERROR_SUCCESS;
        }
        size = got;
    }
    return result;
}

std::int32_t Win32Registry::DeleteValue(plat::RegRoot root, const char* path, const char* name,
                                        plat::RegView view) {
    OpenRegKey key;
    LONG result = key.Open(root, path, KEY_SET_VALUE, view);
    if (result != ERROR_SUCCESS) return result;
    return ::RegDeleteValueA(key.get(), name);
}

std::int32_t Win32Registry::EnumKeys(plat::RegRoot root, const char* path,
                                     std::vector<std::string>& out, plat::RegView view) {
    out.clear();
    OpenRegKey key;
    LONG result = key.Open(root, path, KEY_ENUMERATE_SUB_KEYS, view);
    for (DWORD index = 0; result == ERROR_SUCCESS; ++index) {
        char name[256] = {};  // key names have at most 255 characters
        DWORD length = sizeof name;
        result = ::RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr,
                                 nullptr);
        if (result == ERROR_SUCCESS) out.emplace_back(name, length);
    }
    return result == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : result;
}

std::int32_t Win32Registry::EnumValues(plat::RegRoot root, const char* path,
                                       std::vector<std::string>& out, plat::RegView view) {
    out.clear();
    OpenRegKey key;
    LONG result = key.Open(root, path, KEY_QUERY_VALUE, view);
    std::vector<char> name(16384);  // value names have at most 16,383 characters
    for (DWORD index = 0; result == ERROR_SUCCESS; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        result = ::RegEnumValueA(key.get(), index, name.data(), &length, nullptr, nullptr,
                                 nullptr, nullptr);
        if (result == ERROR_SUCCESS) out.emplace_back(name.data(), length);
    }
    return result == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : result;
}

}  // namespace win32
