// The simulated registry in memory: keys with values and subkeys, names compared without letter case.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sim::reg {

// The form a name is compared and ordered by: ASCII letters in upper case, as the registry
// orders its keys.
std::string Fold(std::string_view name);

// Appends the components of a key path, split at backslashes, to `parts`. False when a
// component is empty (an empty path, a leading, trailing or doubled backslash).
bool SplitKeyPath(std::string_view path, std::vector<std::string>& parts);

struct Value {
    std::string name;  // as first written; empty for the key's default value
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

struct Key {
    std::string name;  // as first created
    std::map<std::string, Value> values;                 // by folded name
    std::map<std::string, std::unique_ptr<Key>> subkeys;  // by folded name

    // The subkey of that name, or null.
    Key* Child(std::string_view name) const;
    // The subkey of that name, created when missing (created set true then).
    Key& ChildOrNew(std::string_view name, bool& created);
    Value* FindValue(std::string_view name);
    // Sets a value; an existing value keeps the spelling of its name.
    void SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
};

// The whole registry: the top key's subkeys are the roots ("HKEY_LOCAL_MACHINE", ...).
class Tree {
public:
    Key& top() { return top_; }
    const Key& top() const { return top_; }
    // The key at a path of components from the top, or null.
    Key* Find(const std::vector<std::string>& path);
    // The key at a path, created with every missing parent; created tells whether any was new.
    Key& Create(const std::vector<std::string>& path, bool& created);
    // Removes the key at a path (not the top). False when it does not exist.
    bool Remove(const std::vector<std::string>& path);

private:
    Key top_;
};

}  // namespace sim::reg
