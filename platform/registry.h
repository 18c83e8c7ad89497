// The registry: keys and values under the predefined roots, with the 32/64-bit views.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

// Which view a key is opened in, as KEY_WOW64_32KEY / KEY_WOW64_64KEY select it; Default is
// the view of the calling process (a 32-bit program on 64-bit Windows sees the 32-bit view).
enum class RegView { Default, View32, View64 };

// Key paths are relative to the root, components separated by backslashes, letter case
// ignored. Every function returns a Win32 error code as the Reg* functions do: ERROR_SUCCESS,
// ERROR_FILE_NOT_FOUND for a missing key or value, ERROR_MORE_DATA, ERROR_ACCESS_DENIED, ...
class Registry {
public:
    virtual ~Registry() = default;

    // Creates the key and any missing parents (RegCreateKeyExA); an existing key is success.
    virtual std::int32_t CreateKey(RegRoot root, const char* path, RegView view) = 0;
    // ERROR_SUCCESS when the key exists (RegOpenKeyExA).
    virtual std::int32_t OpenKey(RegRoot root, const char* path, RegView view) = 0;
    // Deletes a key that has no subkeys (RegDeleteKeyA / RegDeleteKeyExA).
    virtual std::int32_t DeleteKey(RegRoot root, const char* path, RegView view) = 0;
    // RegSetValueExA on an existing key; the empty name is the key's default value.
    virtual std::int32_t SetValue(RegRoot root, const char* path, const char* name,
                                  std::uint32_t type, const std::vector<std::uint8_t>& data,
                                  RegView view) = 0;
    // RegQueryValueExA: the value's type and bytes (strings with their terminator).
    virtual std::int32_t QueryValue(RegRoot root, const char* path, const char* name,
                                    std::uint32_t& type, std::vector<std::uint8_t>& data,
                                    RegView view) = 0;
    virtual std::int32_t DeleteValue(RegRoot root, const char* path, const char* name,
                                     RegView view) = 0;
    // Names of the subkeys and of the values of a key, in the registry's enumeration order.
    virtual std::int32_t EnumKeys(RegRoot root, const char* path, std::vector<std::string>& out,
                                  RegView view) = 0;
    virtual std::int32_t EnumValues(RegRoot root, const char* path,
                                    std::vector<std::string>& out, RegView view) = 0;
};

}  // namespace plat
