// INI text as Windows' profile functions see it: parsing into lines, lookups, and byte-preserving edits.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim::ini {

// One line of an INI file. Offsets index the text the file was parsed from.
struct Line {
    enum class Kind {
        Blank,    // nothing but blanks
        Section,  // "[name]"
        Entry,    // "name=value" (also a comment line that holds '=': it can be looked up)
        Text,     // a line without '=': neither a key nor a section
    };
    Kind kind = Kind::Blank;
    std::size_t begin = 0;       // first byte of the line
    std::size_t end = 0;         // one past the last byte before the line end
    std::size_t next = 0;        // first byte of the following line (after CRLF, LF or CR)
    std::string name;            // section or key name, blanks and tabs around it dropped
    std::string value;           // entry value, blanks and tabs around it dropped
    bool comment = false;        // the line begins with ';' (never listed as a key)
};

// A section and the lines that belong to it: [first, last) indexes into the line list.
// Lines before the first header form a section without a header, which no name matches.
struct Section {
    std::string name;
    bool hasHeader = false;
    std::size_t header = 0;  // index of the header line (when hasHeader)
    std::size_t first = 0;   // first line after the header
    std::size_t last = 0;    // one past the section's last line
};

class Document {
public:
    explicit Document(std::string_view text);

    const std::vector<Line>& lines() const { return lines_; }
    const std::vector<Section>& sections() const { return sections_; }

    // The first section of that name (names compared without letter case, blanks around the
    // asked name dropped); null when there is none. An empty name finds a "[]" header.
    const Section* FindSection(std::string_view name) const;
    // The value of the first key of that name in the first section of that name. Empty when
    // section or key are missing or the first line of that name has no '='. Empty names are
    // names: "" finds a "[]" section and a "=value" line.
    std::optional<std::string> FindValue(std::string_view section, std::string_view key) const;
    // Section names in file order (both of two equal names), without the headerless part and
    // without empty names.
    std::vector<std::string> SectionNames() const;
    // Key names of the first section of that name, in file order, without comment lines and
    // lines that have no '='. Empty when there is no such section.
    std::optional<std::vector<std::string>> KeyNames(std::string_view section) const;

private:
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

// Edits that keep every byte of the text they do not change. New lines end in CRLF; a last
// line without a line end gets one before anything is appended after it.
//
// A key's line is the first line of the section that names it, with or without '='.
//
// Sets the first key of that name in the first section of that name, in place; otherwise adds
// the key after the section's last key (a new section goes at the end of the text). Leading
// blanks of the value are dropped, as Windows drops them.
std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value);
// Removes the line of the first key of that name in the first section of that name.
std::string DeleteKey(std::string_view text, std::string_view section, std::string_view key);
// Removes the first section of that name: its header and every line up to the next header.
std::string DeleteSection(std::string_view text, std::string_view section);

}  // namespace sim::ini
