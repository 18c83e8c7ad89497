// Fuzz target: the registry file (registry.reg). The input is registry text and, after a line
// "@@", operations that build a tree. Any text is read or refused with a message; a tree read
// from text is written back to text that reads as the same tree; and the built tree (any names
// and data a program can give the registry calls) round-trips through its file unchanged.
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

// A name as a program passes it: without NUL (it ends a C string) and the `separators`.
std::string Name(std::string raw, std::string_view separators) {
    std::erase_if(raw, [&](char c) { return c == '\0' || separators.find(c) != std::string_view::npos; });
    return raw;
}

// The roots the machine's registry keeps; HKEY_CLASSES_ROOT is a view of
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes and never a key of its own in the file.
const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = fuzz::SplitParts(data, size, 2);
    // 1. Registry text.
    const std::string& text = parts[0];
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

    // 2. The input as a tree: keys and values with any bytes a program can pass in names (C
    // strings, so no NUL; key names hold no backslash, which separates them) and any type and
    // data.
    fuzz::Picker pick(reinterpret_cast<const std::uint8_t*>(parts[1].data()), parts[1].size());
    sim::reg::Tree tree;
    std::vector<std::string> path;
    while (!pick.empty()) {
        const std::uint8_t op = pick.Byte();
        if (op % 3 == 0 || path.empty()) {  // a new key below a root
            std::string name = Name(pick.Text(12), "\\");
            if (name.empty()) continue;
            path = {kRoots[op / 3 % 3], name};
            bool created = false;
            tree.Create(path, created);
        } else if (op % 3 == 1) {  // a subkey of the last key
            std::string name = Name(pick.Text(12), "\\");
            if (name.empty()) continue;
            path.push_back(name);
            bool created = false;
            tree.Create(path, created);
        } else {  // a value of the last key
            const std::string name = Name(pick.Text(12), "");
            const std::uint32_t type = pick.Byte() % 12;
            const std::string bytes = pick.Text(24);
            Key* key = tree.Find(path);
            FUZZ_CHECK(key, "the key just made is missing");
            key->SetValue(name, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        }
    }
    const std::string file = sim::reg::FormatRegistry(tree);
    sim::reg::Tree back;
    FUZZ_CHECK(sim::reg::ParseRegistry(file, back, error), "a tree's own file does not read: " + error + "\n" + file);
    std::string where;
    FUZZ_CHECK(SameKey(tree.top(), back.top(), where), "a tree does not round-trip through its file: " + where);
    return 0;
}
