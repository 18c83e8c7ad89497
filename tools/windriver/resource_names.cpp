// Reading a resource header's #define lines.
#include "tools/windriver/resource_names.h"

#include <sstream>

#include "common/text.h"

namespace windriver {

namespace {

struct Standard {
    const char* name;
    int id;
};
constexpr Standard kStandardIds[] = {{"IDOK", 1},    {"IDCANCEL", 2}, {"IDABORT", 3},
                                     {"IDRETRY", 4}, {"IDIGNORE", 5}, {"IDYES", 6},
                                     {"IDNO", 7},    {"IDCLOSE", 8},  {"IDHELP", 9}};

// "1002", "-1", "(-1)" as a number.
std::optional<int> ParseNumber(std::string_view text) {
    text = common::Trim(text);
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') text = common::Trim(text.substr(1, text.size() - 2));
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    std::uint64_t value = 0;
    if (!common::ParseDecimal(text, 0x7FFFFFFF, value)) return std::nullopt;
    return negative ? -static_cast<int>(value) : static_cast<int>(value);
}

}  // namespace

ResourceNames ResourceNames::Parse(const std::string& headerText) {
    ResourceNames result;
    std::istringstream lines(headerText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string directive, name, rest;
        if (!(words >> directive >> name) || directive != "#define") continue;
        std::getline(words, rest);
        // A trailing comment is not part of the value.
        rest = rest.substr(0, rest.find("//"));
        if (auto number = ParseNumber(rest)) result.names_.emplace_back(name, *number);
    }
    return result;
}

std::optional<int> ResourceNames::IdOf(const std::string& name) const {
    for (const auto& [known, id] : names_)
        if (known == name) return id;
    for (const Standard& s : kStandardIds)
        if (name == s.name) return s.id;
    return std::nullopt;
}

std::string ResourceNames::NameOf(int id, const std::string& prefix) const {
    for (const auto& [name, value] : names_)
        if (value == id && name.rfind(prefix, 0) == 0) return name;
    for (const auto& [name, value] : names_)
        if (value == id) return name;
    for (const Standard& s : kStandardIds)
        if (s.id == id) return s.name;
    return {};
}

}  // namespace windriver
