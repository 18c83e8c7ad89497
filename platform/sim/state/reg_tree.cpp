// The simulated registry in memory: keys with values and subkeys, names compared without letter case.
#include "platform/sim/state/reg_tree.h"

#include "common/text.h"

namespace sim::reg {

std::string Fold(std::string_view name) { return common::ToUpperAscii(name); }

bool SplitKeyPath(std::string_view path, std::vector<std::string>& parts) {
    std::size_t pos = 0;
    while (true) {
        const std::size_t sep = path.find('\\', pos);
        const std::string_view part =
            path.substr(pos, sep == std::string_view::npos ? std::string_view::npos : sep - pos);
        if (part.empty()) return false;
        parts.emplace_back(part);
        if (sep == std::string_view::npos) return true;
        pos = sep + 1;
    }
}

Key* Key::Child(std::string_view name) const {
    auto it = subkeys.find(Fold(name));
    return it == subkeys.end() ? nullptr : it->second.get();
}

Key& Key::ChildOrNew(std::string_view name, bool& created) {
    std::unique_ptr<Key>& slot = subkeys[Fold(name)];
    if (!slot) {
        slot = std::make_unique<Key>();
        slot->name = std::string(name);
        created = true;
    }
    return *slot;
}

Value* Key::FindValue(std::string_view name) {
    auto it = values.find(Fold(name));
    return it == values.end() ? nullptr : &it->second;
}

void Key::SetValue(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
    Value& v = values[Fold(name)];
    if (v.name.empty()) v.name = std::string(name);
    v.type = type;
    v.data = std::move(data);
}

Key* Tree::Find(const std::vector<std::string>& path) {
    Key* key = &top_;
    for (const std::string& part : path) {
        key = key->Child(part);
        if (!key) return nullptr;
    }
    return key;
}

Key& Tree::Create(const std::vector<std::string>& path, bool& created) {
    Key* key = &top_;
    for (const std::string& part : path) key = &key->ChildOrNew(part, created);
    return *key;
}

bool Tree::Remove(const std::vector<std::string>& path) {
    if (path.empty()) return false;
    std::vector<std::string> parentPath(path.begin(), path.end() - 1);
    Key* parent = Find(parentPath);
    return parent && parent->subkeys.erase(Fold(path.back())) == 1;
}

}  // namespace sim::reg
