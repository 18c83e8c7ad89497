// An INF file's text parsed as SetupAPI reads it: sections, lines, fields and [Strings].
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/device_installation.h"

namespace sim {

// One line: fields[0] is its key ("" when hasKey is false), fields[1..] its values, with
// quotes resolved; %strkey% is left for Substitute, as the line is read out.
struct InfLine {
    bool hasKey = false;
    std::vector<std::string> fields;
};

struct InfSection {
    std::string name;
    std::vector<InfLine> lines;
};

class InfText {
public:
    // Parses ANSI text, or UTF-16LE text after its byte-order mark (converted to `codePage`).
    // ERROR_SUCCESS, or the syntax error with its 1-based line number in errorLine.
    static std::uint32_t Parse(std::string_view bytes, std::uint32_t codePage, InfText& out,
                               std::uint32_t& errorLine);

    // The section's index (name compared letter case aside), or -1.
    int FindSection(std::string_view name) const;
    const std::vector<InfSection>& sections() const { return sections_; }
    // Replaces %strkey% by [Strings]' value for strkey and %% by %; an unknown or unclosed
    // %...% stays as written.
    std::string Substitute(std::string_view raw) const;
    // The first value of `key` in `section`, substituted; empty when either is missing.
    std::string Value(std::string_view section, std::string_view key) const;
    // Whether [Version]'s Signature is one SetupAPI accepts for INF_STYLE_WIN4.
    bool HasWin4Signature() const;

private:
    std::vector<InfSection> sections_;
};

bool EqualNoCase(std::string_view a, std::string_view b);
// "{4D36E978-E325-11CE-BFC1-08002BE10318}" (hex digits in either case) to a GUID.
bool ParseGuid(std::string_view text, plat::GUID& guid);

}  // namespace sim
