// Fuzz target: the registry file (registry.reg). Any text is read or refused with a message;
// a tree read from text is written back to text that reads as the same tree; and a tree built
// from the input (any names and data a program can give the registry calls) round-trips
// through its file unchanged.
#include <algorithm>

#include "platform/sim/state/reg_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using sim::reg::Key;

bool SameKey(const Key& a, const Key& b, std::string& where) {
    if (a.name != b.name) return where = "key name " + a.name, false;
    if (a.values.size() != b.values.size() || a.subkeys.size() != b.subkeys.size())
        return where = "counts under " + a.name, false;
    for (const auto& [folded, value] : a.values) {
        auto it = b.values.find(folded);
        if (it == b.values.end() || it->second.name != value.name || it->second.type != value.type ||
            it->second.data != value.data)
            return where = "value " + value.name + " under " + a.name, false;
    }
    for (const auto& [folded, child] : a.subkeys) {
        auto it = b.subkeys.find(folded);
        if (it == b.subkeys.end() || !SameKey(*child, *it->second, where)) {
            if (where.empty()) where = "subkey " + child->name;
            return false;
        }
    }
    return true;
}

const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", "HKEY_USERS"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // 1. The input as registry text.
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::reg::Tree read;
    std::string error;
    if (sim::reg::ParseRegistry(text, read, error)) {
        const std::string written = sim::reg::FormatRegistry(read);
        sim::reg::Tree again;
        FUZZ_CHECK(sim::reg::ParseRegistry(written, again, error), "written text does not read: " + error);
        std::string where;
        FUZZ_CHECK(SameKey(read.top(), again.top(), where), "read, written and read again differs: " + where);
        FUZZ_CHECK(sim::reg::FormatRegistry(again) == written, "writing is not stable");
    } else {
        FUZZ_CHECK(!error.empty(), "refused without a message");
    }

    // 2. The input as a tree: keys and values with any bytes a program may use in names
    // (key names hold no backslash, which separates them) and any type and data.
    fuzz::Picker pick(data, size);
    sim::reg::Tree tree;
    std::vector<std::string> path;
    while (!pick.empty()) {
        const std::uint8_t op = pick.Byte();
        if (op % 3 == 0 || path.empty()) {  // a new key below a root
            std::string name = pick.Text(12);
            name.erase(std::remove(name.begin(), name.end(), '\\'), name.end());
            if (name.empty()) continue;
            path = {kRoots[op / 3 % 4], name};
            bool created = false;
            tree.Create(path, created);
        } else if (op % 3 == 1) {  // a subkey of the last key
            std::string name = pick.Text(12);
            name.erase(std::remove(name.begin(), name.end(), '\\'), name.end());
            if (name.empty()) continue;
            path.push_back(name);
            bool created = false;
            tree.Create(path, created);
        } else {  // a value of the last key
            const std::string name = pick.Text(12);
            const std::uint32_t type = pick.Byte() % 12;
            const std::string bytes = pick.Text(24);
            Key* key = tree.Find(path);
            FUZZ_CHECK(key, "the key just made is missing");
            key->SetValue(name, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
    }
    const std::string file = sim::reg::FormatRegistry(tree);
    sim::reg::Tree back;
    FUZZ_CHECK(sim::reg::ParseRegistry(file, back, error), "a tree's own file does not read: " + error);
    std::string where;
    FUZZ_CHECK(SameKey(tree.top(), back.top(), where), "a tree does not round-trip through its file: " + where);
    return 0;
}
