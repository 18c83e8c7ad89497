// The simulated registry as REGEDIT5 text: one readable, diffable file per machine.
#include "platform/sim/state/reg_file.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/text.h"
#include "platform/win_constants.h"

namespace sim::reg {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::size_t kHexLineWidth = 76;  // regedit wraps long hex data near 80 columns

const char* const kRoots[] = {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS"};

// A control character inside quotes: \n, \r and \t for the common ones, \xHH for the rest, so
// that no name or text breaks its line.
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

void AppendQuoted(std::string& out, std::string_view s) {
    out += '"';
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += ch;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (IsControl(c)) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += ch;
        }
    }
    out += '"';
}

// A key name as one component of a "[...]" line: as it is, or quoted like a value name when it
// holds a control character or starts with a quote (a key name never holds a backslash).
void AppendKeyName(std::string& out, std::string_view name) {
    bool quote = !name.empty() && name.front() == '"';
    for (char c : name) quote = quote || IsControl(static_cast<unsigned char>(c));
    if (quote)
        AppendQuoted(out, name);
    else
        out += name;
}

// A REG_SZ that reads back from "text": one terminator at the end and no line break, so the
// quoted form holds exactly its bytes.
bool IsPlainString(const Value& v) {
    if (v.type != REG_SZ || v.data.empty() || v.data.back() != 0) return false;
    for (std::size_t i = 0; i + 1 < v.data.size(); ++i) {
        std::uint8_t b = v.data[i];
        if (b == 0 || b == '\r' || b == '\n') return false;
    }
    return true;
}

void AppendHexBytes(std::string& out, std::size_t lineStart, const std::vector<std::uint8_t>& d) {
    char buf[4];
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (i > 0) {
            out += ',';
            if (out.size() - lineStart > kHexLineWidth) {
                out += "\\\r\n  ";
                lineStart = out.size() - 2;
            }
        }
        std::snprintf(buf, sizeof buf, "%02x", d[i]);
        out += buf;
    }
}

void AppendValue(std::string& out, const Value& v) {
    std::size_t lineStart = out.size();
    if (v.name.empty())
        out += '@';
    else
        AppendQuoted(out, v.name);
    out += '=';
    if (IsPlainString(v)) {
        AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(v.data.data()),
                                           v.data.size() - 1));
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        std::uint32_t n = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                          (static_cast<std::uint32_t>(v.data[3]) << 24);
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<unsigned>(n));
        out += buf;
    } else {
        if (v.type == REG_BINARY) {
            out += "hex:";
        } else {
            char buf[24];
            std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
            out += buf;
        }
        AppendHexBytes(out, lineStart, v.data);
    }
    out += "\r\n";
}

void AppendKey(std::string& out, const Key& key, const std::string& path, bool isRoot) {
    if (!isRoot || !key.values.empty()) {
        out += "[" + path + "]\r\n";
        for (const auto& entry : key.values) AppendValue(out, entry.second);
        out += "\r\n";
    }
    for (const auto& entry : key.subkeys) {
        std::string child = path + "\\";
        AppendKeyName(child, entry.second->name);
        AppendKey(out, *entry.second, child, false);
    }
}

// Blanks and tabs dropped at both ends; line ends are already gone.
std::string_view Trim(std::string_view s) { return common::Trim(s, " \t"); }

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(pos, next - pos);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a quoted, escaped text starting at s[pos] == '"'; pos ends after the closing quote.
// \n, \r, \t and \xHH stand for control characters; a backslash before any other character
// stands for that character (\\ and \" as regedit writes them).
bool ReadQuoted(std::string_view s, std::size_t& pos, std::string& out) {
    ++pos;
    while (pos < s.size()) {
        char c = s[pos++];
        if (c == '"') return true;
        if (c == '\\') {
            if (pos >= s.size()) return false;
            c = s[pos++];
            if (c == 'n') {
                c = '\n';
            } else if (c == 'r') {
                c = '\r';
            } else if (c == 't') {
                c = '\t';
            } else if (c == 'x') {
                if (pos + 2 > s.size() || HexDigit(s[pos]) < 0 || HexDigit(s[pos + 1]) < 0)
                    return false;
                c = static_cast<char>(HexDigit(s[pos]) * 16 + HexDigit(s[pos + 1]));
                pos += 2;
            }
        }
        out += c;
    }
    return false;
}

bool ParseHexNumber(std::string_view s, std::uint32_t& out) {
    if (s.empty() || s.size() > 8) return false;
    out = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0) return false;
        out = out * 16 + static_cast<std::uint32_t>(d);
    }
    return true;
}

bool ParseHexBytes(std::string_view s, std::vector<std::uint8_t>& out) {
    s = Trim(s);
    if (s.empty()) return true;
    std::size_t pos = 0;
    while (true) {
        std::size_t comma = s.find(',', pos);
        std::string_view item =
            Trim(s.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
        std::uint32_t byte = 0;
        if (item.size() > 2 || !ParseHexNumber(item, byte)) return false;
        out.push_back(static_cast<std::uint8_t>(byte));
        if (comma == std::string_view::npos) return true;
        pos = comma + 1;
    }
}

// A root named in any letter case is kept under its own spelling, as the file writes it back.
bool CanonicalRootName(std::string& name) {
    for (const char* root : kRoots)
        if (Fold(name) == root) {
            name = root;
            return true;
        }
    return false;
}

// The components of a key line's path: each is the text up to the next backslash, or a quoted
// name (AppendKeyName) when it starts with a quote that closes just before a backslash or the
// end. An empty component is refused.
bool ParseKeyPath(std::string_view inner, std::vector<std::string>& parts) {
    std::size_t pos = 0;
    while (true) {
        std::string name;
        std::size_t end = pos;
        if (pos < inner.size() && inner[pos] == '"' && ReadQuoted(inner, end, name) &&
            (end == inner.size() || inner[end] == '\\')) {
            // a quoted name
        } else {
            end = std::min(inner.find('\\', pos), inner.size());
            name = std::string(inner.substr(pos, end - pos));
        }
        if (name.empty()) return false;
        parts.push_back(std::move(name));
        if (end == inner.size()) break;
        pos = end + 1;
    }
    return CanonicalRootName(parts.front());
}

// The data of one value from the text after '='; continuation lines of hex data are joined in.
bool ParseData(std::string_view rest, const std::vector<std::string_view>& lines, std::size_t& i,
               std::uint32_t& type, std::vector<std::uint8_t>& data) {
    rest = Trim(rest);
    if (!rest.empty() && rest.front() == '"') {
        std::string text;
        std::size_t pos = 0;
        if (!ReadQuoted(rest, pos, text) || pos != rest.size()) return false;
        type = REG_SZ;
        data.assign(text.begin(), text.end());
        data.push_back(0);
        return true;
    }
    if (rest.substr(0, 6) == "dword:") {
        std::uint32_t n = 0;
        if (!ParseHexNumber(rest.substr(6), n)) return false;
        type = REG_DWORD;
        data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
        return true;
    }
    if (rest.substr(0, 3) != "hex") return false;
    std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) return false;
    std::string_view kind = rest.substr(3, colon - 3);
    if (kind.empty()) {
        type = REG_BINARY;
    } else if (kind.size() >= 3 && kind.front() == '(' && kind.back() == ')') {
        if (!ParseHexNumber(kind.substr(1, kind.size() - 2), type)) return false;
    } else {
        return false;
    }
    std::string hex(rest.substr(colon + 1));
    while (!hex.empty() && hex.back() == '\\') {
        hex.pop_back();
        if (i + 1 >= lines.size()) return false;
        hex += Trim(lines[++i]);
    }
    return ParseHexBytes(hex, data);
}

}  // namespace

std::string FormatRegistry(const Tree& tree) {
    std::string out(kHeader5);
    out += "\r\n\r\n";
    for (const char* root : kRoots) {
        if (const Key* key = tree.top().Child(root)) AppendKey(out, *key, root, true);
    }
    return out;
}

bool ParseRegistry(std::string_view text, Tree& tree, std::string& error) {
    std::vector<std::string_view> lines = SplitLines(text);
    std::size_t i = 0;
    while (i < lines.size() && Trim(lines[i]).empty()) ++i;
    if (i == lines.size() || (Trim(lines[i]) != kHeader5 && Trim(lines[i]) != kHeader4)) {
        error = "the registry file does not start with \"" + std::string(kHeader5) + "\"";
        return false;
    }
    Key* current = nullptr;
    for (++i; i < lines.size(); ++i) {
        std::size_t lineNo = i + 1;
        auto fail = [&](const std::string& what) {
            error = "registry file line " + std::to_string(lineNo) + ": " + what;
            return false;
        };
        std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') return fail("a key line must end with ']'");
            std::vector<std::string> parts;
            if (!ParseKeyPath(line.substr(1, line.size() - 2), parts))
                return fail("not a key path below HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_USERS");
            bool created = false;
            current = &tree.Create(parts, created);
            continue;
        }
        if (line.front() != '"' && line.front() != '@') return fail("neither a key nor a value");
        if (!current) return fail("a value before the first key");
        std::string name;  // "@" stands for the default value, whose name is empty
        std::size_t pos = 0;
        if (line.front() == '@')
            pos = 1;
        else if (!ReadQuoted(line, pos, name))
            return fail("the value name has no closing quote");
        std::string_view rest = Trim(line.substr(pos));
        if (rest.empty() || rest.front() != '=') return fail("'=' expected after the value name");
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
        if (!ParseData(rest.substr(1), lines, i, type, data)) return fail("value data not understood");
        current->SetValue(name, type, std::move(data));
    }
    return true;
}

}  // namespace sim::reg
