// An INF file's text parsed as SetupAPI reads it.
#include "platform/sim/api/inf_text.h"

#include <cctype>
#include <cstring>

#include "platform/sim/state/code_page.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr std::size_t kMaxSectionName = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }
constexpr char kEndOfFile = 0x1A;  // Ctrl-Z ends an INF file, as it ends a DOS text file

// Steps over one line end (CR LF, LF or CR) at `i`, counting it.
void SkipLineEnd(std::string_view text, std::size_t& i, std::uint32_t& line) {
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
    ++line;
}

void SkipToLineEnd(std::string_view text, std::size_t& i) {
    while (i < text.size() && !IsLineEnd(text[i]) && text[i] != kEndOfFile) ++i;
}

// UTF-16LE text (after its byte-order mark) in an 8-bit code page; a character the code page
// lacks becomes '?', as WideCharToMultiByte's default character.
std::string Utf16LeBytesToCodePage(std::string_view bytes, std::uint32_t codePage) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return Utf16ToCodePage(text, codePage);
}

// Reads one logical line (with its continuations) from `i`, which stands on its first
// character that is not blank. False when the line holds nothing but a comment.
bool ReadLine(std::string_view text, std::size_t& i, std::uint32_t& line, InfLine& out) {
    std::string field;
    std::size_t keep = 0;  // the field's length up to its last character that is not a blank
    bool inQuotes = false, sawSomething = false, sawComma = false;
    std::vector<std::string> values;
    auto endField = [&] {
        field.resize(keep);
        values.push_back(field);
        field.clear();
        keep = 0;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == kEndOfFile || IsLineEnd(c)) break;  // also ends an unclosed quote
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                i += 2;
            } else if (c == '"') {
                inQuotes = false;
                ++i;
            } else {
                field += c;
                ++i;
            }
            keep = field.size();
            continue;
        }
        if (c == ';') {
            SkipToLineEnd(text, i);
            break;
        }
        if (c == '\\') {
            // A backslash followed by nothing but blanks or a comment joins the next line.
            std::size_t j = i + 1;
            while (j < text.size() && IsBlank(text[j])) ++j;
            if (j < text.size() && text[j] == ';') SkipToLineEnd(text, j);
            if (j == text.size() || IsLineEnd(text[j])) {
                i = j;
                if (i < text.size()) SkipLineEnd(text, i, line);
                continue;
            }
        }
        ++i;
        if (c == '"') {
            inQuotes = sawSomething = true;
            keep = field.size();
        } else if (c == ',') {
            endField();
            sawComma = sawSomething = true;
        } else if (c == '=' && !out.hasKey && !sawComma) {
            field.resize(keep);
            out.fields.assign(1, field);
            out.hasKey = sawSomething = true;
            field.clear();
            keep = 0;
        } else if (IsBlank(c)) {
            if (!field.empty()) field += c;  // leading blanks dropped, trailing cut at the end
        } else {
            field += c;
            keep = field.size();
            sawSomething = true;
        }
    }
    if (!sawSomething) return false;
    endField();
    if (!out.hasKey) out.fields.assign(1, std::string());
    out.fields.insert(out.fields.end(), values.begin(), values.end());
    return true;
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::uint32_t InfText::Parse(std::string_view bytes, std::uint32_t codePage, InfText& out,
                             std::uint32_t& errorLine) {
    std::string decoded;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        decoded = Utf16LeBytesToCodePage(bytes.substr(2), codePage);
        bytes = decoded;
    }
    out.sections_.clear();
    errorLine = 0;
    std::uint32_t line = 1;
    int current = -1;
    std::size_t i = 0;
    while (i < bytes.size()) {
        while (i < bytes.size() && IsBlank(bytes[i])) ++i;
        if (i == bytes.size() || bytes[i] == kEndOfFile) break;
        if (IsLineEnd(bytes[i])) {
            SkipLineEnd(bytes, i, line);
            continue;
        }
        const std::uint32_t startLine = line;
        if (bytes[i] == '[') {
            std::size_t close = i + 1;
            while (close < bytes.size() && bytes[close] != ']' && !IsLineEnd(bytes[close]) &&
                   bytes[close] != kEndOfFile)
                ++close;
            if (close == bytes.size() || bytes[close] != ']') {
                errorLine = startLine;
                return ERROR_BAD_SECTION_NAME_LINE;
            }
            const std::string_view name = bytes.substr(i + 1, close - i - 1);
            if (name.size() > kMaxSectionName) {
                errorLine = startLine;
                return ERROR_SECTION_NAME_TOO_LONG;
            }
            current = out.FindSection(name);
            if (current < 0) {
                out.sections_.push_back({std::string(name), {}});
                current = static_cast<int>(out.sections_.size()) - 1;
            }
            i = close + 1;
            SkipToLineEnd(bytes, i);  // what follows the name on its line is not read
            continue;
        }
        InfLine parsed;
        if (!ReadLine(bytes, i, line, parsed)) continue;
        if (current < 0) {
            errorLine = startLine;
            return ERROR_EXPECTED_SECTION_NAME;
        }
        out.sections_[static_cast<std::size_t>(current)].lines.push_back(std::move(parsed));
    }
    return ERROR_SUCCESS;
}

int InfText::FindSection(std::string_view name) const {
    for (std::size_t s = 0; s < sections_.size(); ++s)
        if (EqualNoCase(sections_[s].name, name)) return static_cast<int>(s);
    return -1;
}

std::string InfText::Substitute(std::string_view raw) const {
    std::string out;
    const int strings = FindSection("Strings");
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t open = raw.find('%', i);
        if (open == std::string_view::npos) break;
        const std::size_t close = raw.find('%', open + 1);
        if (close == std::string_view::npos) break;
        out.append(raw.substr(i, open - i));
        const std::string_view key = raw.substr(open + 1, close - open - 1);
        i = close + 1;
        if (key.empty()) {
            out += '%';
            continue;
        }
        bool found = false;
        if (strings >= 0)
            for (const InfLine& l : sections_[static_cast<std::size_t>(strings)].lines)
                if (l.hasKey && EqualNoCase(l.fields[0], key)) {
                    if (l.fields.size() > 1) out += l.fields[1];
                    found = true;
                    break;
                }
        if (!found) out.append(raw.substr(open, close - open + 1));
    }
    out.append(raw.substr(std::min(i, raw.size())));
    return out;
}

std::string InfText::Value(std::string_view section, std::string_view key) const {
    const int s = FindSection(section);
    if (s < 0) return {};
    for (const InfLine& l : sections_[static_cast<std::size_t>(s)].lines)
        if (l.hasKey && EqualNoCase(Substitute(l.fields[0]), key))
            return l.fields.size() > 1 ? Substitute(l.fields[1]) : std::string();
    return {};
}

bool InfText::HasWin4Signature() const {
    const std::string signature = Value("Version", "Signature");
    return EqualNoCase(signature, "$Windows NT$") || EqualNoCase(signature, "$Chicago$") ||
           EqualNoCase(signature, "$Windows 95$");
}

bool ParseGuid(std::string_view text, plat::GUID& guid) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text[0] != '{' || text[37] != '}') return false;
    std::uint8_t bytes[16];
    std::size_t b = 0;
    for (std::size_t i = 1; i < 37;) {
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (text[i] != '-') return false;
            ++i;
            continue;
        }
        unsigned value = 0;
        for (int k = 0; k < 2; ++k) {
            const char c = text[i + static_cast<std::size_t>(k)];
            if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
            value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                           ? c - '0'
                                                           : std::tolower(c) - 'a' + 10);
        }
        bytes[b++] = static_cast<std::uint8_t>(value);
        i += 2;
    }
    guid.Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                 (std::uint32_t{bytes[2]} << 8) | bytes[3];
    guid.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    guid.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    std::memcpy(guid.Data4, bytes + 8, 8);
    return true;
}

}  // namespace sim
