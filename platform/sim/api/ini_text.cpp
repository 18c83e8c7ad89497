// INI text as Windows' profile functions see it: parsing into lines, lookups, and byte-preserving edits.
#include "platform/sim/api/ini_text.h"

#include "common/text.h"

namespace sim::ini {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Blanks and tabs dropped at both ends.
std::string_view TrimBlanks(std::string_view s) { return common::Trim(s, " \t"); }

void Classify(std::string_view raw, Line& line) {
    std::string_view t = TrimBlanks(raw);
    if (t.empty()) {
        line.kind = Line::Kind::Blank;
        return;
    }
    if (t[0] == '[') {
        // The header ends at the last ']' of the line; without one the line is read as a key.
        std::size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Line::Kind::Section;
            line.name = std::string(TrimBlanks(t.substr(1, close - 1)));
            return;
        }
    }
    line.comment = t[0] == ';';
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
        line.kind = Line::Kind::Text;
        line.name = std::string(t);
        return;
    }
    line.kind = Line::Kind::Entry;
    line.name = std::string(TrimBlanks(t.substr(0, eq)));
    line.value = std::string(TrimBlanks(t.substr(eq + 1)));
}

// Where a line ends and the next begins: CRLF, LF and CR alone all end a line.
void FindLineEnd(std::string_view text, std::size_t pos, std::size_t& end, std::size_t& next) {
    end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    next = end;
    if (next < text.size()) {
        if (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n')
            next += 2;
        else
            next += 1;
    }
}

// The first line of the section that names the key. A line without '=' counts too: Windows
// finds it first and then has no value for it, so a later "key=value" stays hidden.
const Line* FindKeyLine(const Document& doc, const Section& section, std::string_view key) {
    for (std::size_t i = section.first; i < section.last; ++i) {
        const Line& line = doc.lines()[i];
        if ((line.kind == Line::Kind::Entry || line.kind == Line::Kind::Text) &&
            common::EqualsNoCase(line.name, key))
            return &line;
    }
    return nullptr;
}

bool EndsWithLineEnd(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

Document::Document(std::string_view text) {
    Section current;  // the lines before the first header
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        FindLineEnd(text, pos, line.end, line.next);
        Classify(text.substr(line.begin, line.end - line.begin), line);
        if (line.kind == Line::Kind::Section) {
            current.last = lines_.size();
            sections_.push_back(current);
            current = Section{};
            current.name = line.name;
            current.hasHeader = true;
            current.header = lines_.size();
            current.first = lines_.size() + 1;
        }
        lines_.push_back(std::move(line));
        pos = lines_.back().next;
    }
    current.last = lines_.size();
    sections_.push_back(current);
}

const Section* Document::FindSection(std::string_view name) const {
    // An empty name is a name too: it finds a "[]" header, as Windows' lookup does.
    name = TrimBlanks(name);
    for (const Section& s : sections_)
        if (s.hasHeader && common::EqualsNoCase(s.name, name)) return &s;
    return nullptr;
}

std::optional<std::string> Document::FindValue(std::string_view section,
                                               std::string_view key) const {
    key = TrimBlanks(key);
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    const Line* line = FindKeyLine(*this, *s, key);
    if (!line || line->kind != Line::Kind::Entry) return std::nullopt;
    return line->value;
}

std::vector<std::string> Document::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        if (s.hasHeader && !s.name.empty()) names.push_back(s.name);
    return names;
}

std::optional<std::vector<std::string>> Document::KeyNames(std::string_view section) const {
    const Section* s = FindSection(section);
    if (!s) return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t i = s->first; i < s->last; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Line::Kind::Entry && !line.comment && !line.name.empty())
            names.push_back(line.name);
    }
    return names;
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key,
                     std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    std::string entry = std::string(key) + "=" + std::string(value);

    Document doc(text);
    const Section* s = doc.FindSection(section);
    std::string out;
    if (!s) {
        out = std::string(text);
        if (!out.empty() && !EndsWithLineEnd(out)) out += "\r\n";
        out += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
        return out;
    }
    if (const Line* line = FindKeyLine(doc, *s, key)) {
        // Keep the name as the file spells it; the line keeps its own line end.
        out = std::string(text.substr(0, line->begin));
        out += line->name + "=" + std::string(value);
        out += text.substr(line->end);
        return out;
    }
    // A new key goes after the section's last key or text line, so that blank lines and
    // comments that lead into the next section stay where they are.
    std::size_t after = s->header;
    for (std::size_t i = s->first; i < s->last; ++i) {
        const Line& line = doc.lines()[i];
        if ((line.kind == Line::Kind::Entry || line.kind == Line::Kind::Text) && !line.comment)
            after = i;
    }
    const Line& anchor = doc.lines()[after];
    out = std::string(text.substr(0, anchor.next));
    if (anchor.next == anchor.end) out += "\r\n";  // the last line of the text had no line end
    out += entry + "\r\n";
    out += text.substr(anchor.next);
    return out;
}

std::string DeleteKey(std::string_view text, std::string_view section, std::string_view key) {
    key = TrimBlanks(key);
    Document doc(text);
    const Section* s = doc.FindSection(section);
    const Line* line = s ? FindKeyLine(doc, *s, key) : nullptr;
    if (!line) return std::string(text);
    return std::string(text.substr(0, line->begin)) + std::string(text.substr(line->next));
}

std::string DeleteSection(std::string_view text, std::string_view section) {
    Document doc(text);
    const Section* s = doc.FindSection(section);
    if (!s) return std::string(text);
    std::size_t from = doc.lines()[s->header].begin;
    std::size_t to = doc.lines()[s->last - 1].next;
    return std::string(text.substr(0, from)) + std::string(text.substr(to));
}

}  // namespace sim::ini
