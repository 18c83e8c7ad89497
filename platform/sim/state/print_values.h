// Reading and writing the print provider's registry values: text, numbers and name lists.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/state/reg_tree.h"

namespace sim::print_values {

// A key path below HKEY_LOCAL_MACHINE as the tree's components.
std::vector<std::string> HklmKey(std::string_view path);
std::vector<std::string> HklmKey(std::string_view path, std::string_view child);

// A REG_SZ value's text up to its terminator; empty when missing or of another type.
std::string Text(reg::Key& key, std::string_view name);
// A REG_DWORD value; nothing when missing or of another type.
std::optional<std::uint32_t> Number(reg::Key& key, std::string_view name);
// A REG_MULTI_SZ value's names, without empty ones.
std::vector<std::string> Names(reg::Key& key, std::string_view name);

std::vector<std::uint8_t> TextBytes(std::string_view text);
std::vector<std::uint8_t> NumberBytes(std::uint32_t value);
std::vector<std::uint8_t> NamesBytes(const std::vector<std::string>& names);

}  // namespace sim::print_values
