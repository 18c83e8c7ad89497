// Reading and writing the print provider's registry values.
#include "platform/sim/state/print_values.h"

#include <algorithm>

#include "platform/win_constants.h"

namespace sim::print_values {

std::vector<std::string> HklmKey(std::string_view path) {
    std::vector<std::string> key = {"HKEY_LOCAL_MACHINE"};
    reg::SplitKeyPath(path, key);
    return key;
}

std::vector<std::string> HklmKey(std::string_view path, std::string_view child) {
    std::vector<std::string> key = HklmKey(path);
    key.emplace_back(child);
    return key;
}

std::string Text(reg::Key& key, std::string_view name) {
    const reg::Value* value = key.FindValue(name);
    if (!value || value->type != REG_SZ) return {};
    std::string text(value->data.begin(), value->data.end());
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::optional<std::uint32_t> Number(reg::Key& key, std::string_view name) {
    const reg::Value* value = key.FindValue(name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    const auto& d = value->data;
    return std::uint32_t(d[0]) | std::uint32_t(d[1]) << 8 | std::uint32_t(d[2]) << 16 |
           std::uint32_t(d[3]) << 24;
}

std::vector<std::string> Names(reg::Key& key, std::string_view name) {
    std::vector<std::string> out;
    const reg::Value* value = key.FindValue(name);
    if (!value || value->type != REG_MULTI_SZ) return out;
    std::string current;
    for (std::uint8_t byte : value->data) {
        if (byte != 0) {
            current += static_cast<char>(byte);
        } else if (!current.empty()) {
            out.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) out.push_back(current);
    return out;
}

std::vector<std::uint8_t> TextBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::vector<std::uint8_t> NumberBytes(std::uint32_t value) {
    return {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
            std::uint8_t(value >> 24)};
}

std::vector<std::uint8_t> NamesBytes(const std::vector<std::string>& names) {
    std::vector<std::uint8_t> bytes;
    for (const std::string& name : names) {
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    return bytes;
}

}  // namespace sim::print_values
