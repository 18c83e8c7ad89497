// The resource-script preprocessor and tokenizer.
#include "platform/sim/ui/rc_tokens.h"

#include <cctype>
#include <memory>

#include "common/text.h"
#include "platform/sim/ui/rc_constants.h"

namespace sim {

namespace {

constexpr int kMaxIncludeDepth = 16;
// Files read through #include in one script, counting each time: a header that includes
// itself twice would otherwise be read 2^16 times within the depth bound.
constexpr int kMaxIncludes = 256;
// Bounds that keep a hostile or mistaken script from exhausting memory or the stack: how many
// macros may nest inside one another, how many tokens macro definitions may hand out in a whole
// script (every token taken from a definition counts, also one that expands further), and how
// deeply parentheses and ! may nest in an #if expression. Real scripts stay far below each.
constexpr int kMaxExpansionDepth = 32;
constexpr std::size_t kMaxExpansionTokens = 100000;
constexpr int kMaxConditionDepth = 100;

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Blanks out comments (keeping line breaks so line numbers stay right), outside strings.
std::string StripComments(const std::string& text) {
    std::string out = text;
    bool inString = false;
    for (size_t i = 0; i < out.size(); ++i) {
        char c = out[i];
        if (inString) {
            if (c == '"') inString = false;
            else if (c == '\\' && i + 1 < out.size() && out[i + 1] != '\n') ++i;
            else if (c == '\n') inString = false;  // an unterminated string ends with its line
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '/') {
            for (; i < out.size() && out[i] != '\n'; ++i) out[i] = ' ';
        } else if (c == '/' && i + 1 < out.size() && out[i + 1] == '*') {
            out[i] = out[i + 1] = ' ';
            for (i += 2; i < out.size() && !(out[i] == '*' && i + 1 < out.size() && out[i + 1] == '/'); ++i)
                if (out[i] != '\n') out[i] = ' ';
            if (i < out.size()) out[i] = out[i + 1] = ' ', ++i;
        }
    }
    return out;
}

// One logical line: physical lines joined where they end with a backslash.
struct LogicalLine {
    std::string text;
    int line = 0;
};

std::vector<LogicalLine> SplitLines(const std::string& text) {
    std::vector<LogicalLine> lines;
    int lineNo = 1;
    size_t pos = 0;
    while (pos <= text.size()) {
        LogicalLine logical{{}, lineNo};
        while (true) {
            size_t end = text.find('\n', pos);
            std::string physical = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            if (!physical.empty() && physical.back() == '\r') physical.pop_back();
            pos = end == std::string::npos ? text.size() + 1 : end + 1;
            ++lineNo;
            if (!physical.empty() && physical.back() == '\\' && pos <= text.size()) {
                physical.pop_back();
                logical.text += physical;
                continue;
            }
            logical.text += physical;
            break;
        }
        lines.push_back(std::move(logical));
    }
    return lines;
}

bool DecodeString(const std::string& s, size_t& i, std::string& out, std::string& error) {
    // s[i] is the opening quote. "" is a quote inside the string, as rc reads it.
    for (++i; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                out += '"';
                ++i;
                continue;
            }
            ++i;
            return true;
        }
        if (c == '\\' && i + 1 < s.size()) {
            char e = s[++i];
            switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'a': out += '\b'; break;  // rc's \a is a backspace-like marker; kept as a byte
                case '0': out += '\0'; break;
                case '\\': out += '\\'; break;
                case '"': out += '"'; break;
                case 'x': {
                    int value = 0, digits = 0;
                    while (digits < 2 && i + 1 < s.size() &&
                           std::isxdigit(static_cast<unsigned char>(s[i + 1]))) {
                        char h = s[++i];
                        value = value * 16 + (std::isdigit(static_cast<unsigned char>(h))
                                                  ? h - '0'
                                                  : std::tolower(static_cast<unsigned char>(h)) - 'a' + 10);
                        ++digits;
                    }
                    out += static_cast<char>(value);
                    break;
                }
                default: out += '\\'; out += e; break;
            }
            continue;
        }
        out += c;
    }
    error = "unterminated string";
    return false;
}

// Splits one line into tokens (no macro expansion).
bool Tokenize(const std::string& s, const std::string* file, int line, std::vector<RcToken>& out,
              std::string& error) {
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        RcToken t;
        t.file = file;
        t.line = line;
        if ((c == 'L' || c == 'l') && i + 1 < s.size() && s[i + 1] == '"') ++i, c = '"';
        if (c == '"') {
            t.kind = RcTokenKind::String;
            if (!DecodeString(s, i, t.text, error)) return false;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t start = i;
            int base = 10;
            if (c == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
                base = 16;
                i += 2;
            }
            unsigned long value = 0;
            size_t digitsStart = i;
            for (; i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i])); ++i) {
                char d = s[i];
                int digit = std::isdigit(static_cast<unsigned char>(d))
                                ? d - '0'
                                : std::tolower(static_cast<unsigned char>(d)) - 'a' + 10;
                if (digit >= base) break;
                value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
                value &= 0xFFFFFFFFul;
            }
            if (i == digitsStart) {
                error = "bad number '" + s.substr(start, i - start + 1) + "'";
                return false;
            }
            while (i < s.size() && (s[i] == 'L' || s[i] == 'l' || s[i] == 'U' || s[i] == 'u')) ++i;
            if (i < s.size() && IsIdentChar(s[i])) {
                error = "bad number '" + s.substr(start, i - start + 1) + "'";
                return false;
            }
            t.kind = RcTokenKind::Number;
            t.number = static_cast<long>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
            t.text = s.substr(start, i - start);
        } else if (IsIdentStart(c)) {
            size_t start = i;
            while (i < s.size() && IsIdentChar(s[i])) ++i;
            t.kind = RcTokenKind::Identifier;
            t.text = s.substr(start, i - start);
        } else if (std::string("(){},|&+-~!*/<>=").find(c) != std::string::npos) {
            t.kind = RcTokenKind::Punct;
            t.text = std::string(1, c);
            if ((c == '|' || c == '&' || c == '=') && i + 1 < s.size() && s[i + 1] == c) t.text += c, ++i;
            else if (c == '!' && i + 1 < s.size() && s[i + 1] == '=') t.text += '=', ++i;
            ++i;
        } else {
            error = std::string("unexpected character '") + c + "'";
            return false;
        }
        out.push_back(std::move(t));
    }
    return true;
}

class Preprocessor {
public:
    Preprocessor(const RcIncludeSource& includes, RcTokenStream& out, std::string& error)
        : includes_(includes), out_(out), error_(error) {}

    bool Run(const std::string& text, const std::string& fileName, int depth) {
        // Tokens point at the file name; each name lives in its own allocation.
        names_.push_back(std::make_unique<std::string>(fileName));
        const std::string* file = names_.back().get();
        // Each #if level: whether its lines are taken, and whether a branch was taken yet.
        struct Level {
            bool active;
            bool taken;
            bool parentActive;
        };
        std::vector<Level> levels;
        auto active = [&] { return levels.empty() || levels.back().active; };
        for (const LogicalLine& logical : SplitLines(StripComments(text))) {
            std::string line = logical.text;
            size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos) continue;
            auto fail = [&](const std::string& what) {
                error_ = fileName + ":" + std::to_string(logical.line) + ": " + what;
                return false;
            };
            if (line[first] != '#') {
                if (!active()) continue;
                std::vector<RcToken> raw;
                if (!Tokenize(line, file, logical.line, raw, error_)) return fail(error_);
                for (const RcToken& t : raw)
                    if (!Expand(t, out_.tokens, 0)) return fail(error_);
                continue;
            }
            size_t nameStart = line.find_first_not_of(" \t", first + 1);
            size_t nameEnd = nameStart;
            while (nameEnd < line.size() && IsIdentChar(line[nameEnd])) ++nameEnd;
            std::string directive = nameStart == std::string::npos ? "" : line.substr(nameStart, nameEnd - nameStart);
            std::string rest = nameEnd < line.size() ? line.substr(nameEnd) : "";
            std::vector<RcToken> args;
            if (directive != "include" && directive != "error" && directive != "pragma" &&
                !Tokenize(rest, file, logical.line, args, error_))
                return fail(error_);

            if (directive == "ifdef" || directive == "ifndef") {
                if (args.empty() || args[0].kind != RcTokenKind::Identifier)
                    return fail("#" + directive + " needs a name");
                bool defined = IsDefined(args[0].text);
                bool cond = directive == "ifdef" ? defined : !defined;
                bool parent = active();
                levels.push_back({parent && cond, cond, parent});
            } else if (directive == "if") {
                bool parent = active();
                long value = 0;
                if (parent && !Evaluate(args, value)) return fail(error_);
                levels.push_back({parent && value != 0, value != 0, parent});
            } else if (directive == "elif") {
                if (levels.empty()) return fail("#elif without #if");
                Level& l = levels.back();
                long value = 0;
                if (l.parentActive && !l.taken && !Evaluate(args, value)) return fail(error_);
                l.active = l.parentActive && !l.taken && value != 0;
                l.taken = l.taken || value != 0;
            } else if (directive == "else") {
                if (levels.empty()) return fail("#else without #if");
                Level& l = levels.back();
                l.active = l.parentActive && !l.taken;
                l.taken = true;
            } else if (directive == "endif") {
                if (levels.empty()) return fail("#endif without #if");
                levels.pop_back();
            } else if (!active()) {
                continue;  // other directives in a branch not taken
            } else if (directive == "define") {
                if (args.empty() || args[0].kind != RcTokenKind::Identifier)
                    return fail("#define needs a name");
                size_t after = rest.find(args[0].text) + args[0].text.size();
                if (after < rest.size() && rest[after] == '(')
                    return fail("function-like macro " + args[0].text + " is not supported");
                out_.defines[args[0].text] = std::vector<RcToken>(args.begin() + 1, args.end());
            } else if (directive == "undef") {
                if (!args.empty()) out_.defines.erase(args[0].text);
            } else if (directive == "include") {
                std::string argument(rest);
                size_t b = argument.find_first_not_of(" \t");
                if (b == std::string::npos) return fail("#include needs a file");
                if (argument[b] == '<') continue;  // a system header: its constants are built in
                size_t e = argument.find('"', b + 1);
                if (argument[b] != '"' || e == std::string::npos) return fail("bad #include line");
                std::string name = argument.substr(b + 1, e - b - 1);
                if (depth >= kMaxIncludeDepth) return fail("#include nested too deeply");
                if (includeCount_ >= kMaxIncludes)
                    return fail("more than " + std::to_string(kMaxIncludes) + " #include lines read in one script");
                ++includeCount_;
                std::optional<std::string> included = includes_ ? includes_(name, fileName) : std::nullopt;
                if (!included) return fail("cannot find the included file \"" + name + "\"");
                if (!Run(*included, name, depth + 1)) return false;
            } else if (directive == "pragma") {
                size_t cp = rest.find("code_page");
                if (cp != std::string::npos) {
                    // code_page(936); code_page(DEFAULT) and other words leave it unset.
                    size_t open = rest.find('(', cp);
                    size_t close = open == std::string::npos ? open : rest.find(')', open);
                    if (close != std::string::npos) {
                        std::string_view number = common::Trim(std::string_view(rest).substr(open + 1, close - open - 1));
                        std::uint64_t value = 0;
                        bool digits = !number.empty() && std::isdigit(static_cast<unsigned char>(number[0]));
                        if (digits && !common::ParseDecimal(number, 65535, value))
                            return fail("#pragma code_page needs a code page from 0 to 65535");
                        out_.codePage = static_cast<int>(value);
                    }
                }
            } else if (directive == "error") {
                return fail("#error" + rest);
            } else {
                return fail("unknown directive #" + directive);
            }
        }
        if (!levels.empty()) {
            error_ = fileName + ": #if without #endif";
            return false;
        }
        return true;
    }

private:
    bool IsDefined(const std::string& name) const {
        return out_.defines.count(name) || name == "RC_INVOKED" || SystemRcConstant(name) ||
               SystemRcClassName(name);
    }

    // Appends the token, replacing a defined name by its definition (and that recursively).
    bool Expand(const RcToken& t, std::vector<RcToken>& out, int depth) {
        auto it = t.kind == RcTokenKind::Identifier ? out_.defines.find(t.text) : out_.defines.end();
        if (it == out_.defines.end()) {
            out.push_back(t);
            return true;
        }
        if (depth >= kMaxExpansionDepth) {
            error_ = "macro " + t.text + " nests more than " + std::to_string(kMaxExpansionDepth) +
                     " macros deep (does it refer to itself?)";
            return false;
        }
        if (it->second.size() > kMaxExpansionTokens - expansionTokens_) {
            error_ = "macro " + t.text + " expands to more than " + std::to_string(kMaxExpansionTokens) +
                     " tokens in all";
            return false;
        }
        expansionTokens_ += it->second.size();
        size_t before = out.size();
        for (RcToken d : it->second) {
            d.file = t.file;
            d.line = t.line;
            if (!Expand(d, out, depth + 1)) return false;
        }
        if (out.size() == before + 1) out.back().macro = t.text;
        return true;
    }

    // #if expressions: numbers, defined(NAME), !, &&, ||, ==, !=, parentheses.
    bool Evaluate(const std::vector<RcToken>& raw, long& value) {
        std::vector<RcToken> tokens;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i].kind == RcTokenKind::Identifier && raw[i].text == "defined") {
                bool paren = i + 1 < raw.size() && raw[i + 1].Is("(");
                size_t n = i + (paren ? 2 : 1);
                if (n >= raw.size() || raw[n].kind != RcTokenKind::Identifier) {
                    error_ = "defined needs a name";
                    return false;
                }
                RcToken t = raw[n];
                t.kind = RcTokenKind::Number;
                t.number = IsDefined(raw[n].text) ? 1 : 0;
                tokens.push_back(t);
                i = n + (paren ? 1 : 0);
            } else if (!Expand(raw[i], tokens, 0)) {
                return false;
            }
        }
        size_t pos = 0;
        if (!Or(tokens, pos, value)) return false;
        if (pos != tokens.size()) {
            error_ = "cannot read the #if expression";
            return false;
        }
        return true;
    }
    bool Or(const std::vector<RcToken>& t, size_t& p, long& v) {
        if (!And(t, p, v)) return false;
        while (p < t.size() && t[p].Is("||")) {
            long r = 0;
            ++p;
            if (!And(t, p, r)) return false;
            v = (v || r) ? 1 : 0;
        }
        return true;
    }
    bool And(const std::vector<RcToken>& t, size_t& p, long& v) {
        if (!Compare(t, p, v)) return false;
        while (p < t.size() && t[p].Is("&&")) {
            long r = 0;
            ++p;
            if (!Compare(t, p, r)) return false;
            v = (v && r) ? 1 : 0;
        }
        return true;
    }
    bool Compare(const std::vector<RcToken>& t, size_t& p, long& v) {
        if (!Unary(t, p, v)) return false;
        while (p < t.size() && (t[p].Is("==") || t[p].Is("!="))) {
            bool equal = t[p].Is("==");
            long r = 0;
            ++p;
            if (!Unary(t, p, r)) return false;
            v = ((v == r) == equal) ? 1 : 0;
        }
        return true;
    }
    bool Unary(const std::vector<RcToken>& t, size_t& p, long& v) {
        if (p >= t.size()) {
            error_ = "the #if expression ends too early";
            return false;
        }
        const RcToken& k = t[p++];
        if (k.Is("!") || k.Is("(")) {
            if (conditionDepth_ >= kMaxConditionDepth) {
                error_ = "the #if expression nests more than " + std::to_string(kMaxConditionDepth) +
                         " levels of ( and ! deep";
                return false;
            }
            ++conditionDepth_;
            bool ok = k.Is("!") ? Unary(t, p, v) : Or(t, p, v);
            --conditionDepth_;
            if (!ok) return false;
        }
        if (k.Is("!")) {
            v = !v;
            return true;
        }
        if (k.Is("(")) {
            if (p >= t.size() || !t[p].Is(")")) {
                error_ = "missing ) in #if";
                return false;
            }
            ++p;
            return true;
        }
        if (k.kind == RcTokenKind::Number) {
            v = k.number;
            return true;
        }
        if (k.kind == RcTokenKind::Identifier) {  // an undefined name is 0, as in C
            v = SystemRcConstant(k.text).value_or(0);
            return true;
        }
        error_ = "cannot read '" + k.text + "' in #if";
        return false;
    }

    const RcIncludeSource& includes_;
    RcTokenStream& out_;
    std::string& error_;
    std::vector<std::unique_ptr<std::string>> names_;
    std::size_t expansionTokens_ = 0;  // tokens taken from macro definitions so far
    int conditionDepth_ = 0;           // ( and ! open in the #if expression being read
    int includeCount_ = 0;             // files read through #include so far

public:
    std::vector<std::unique_ptr<std::string>> TakeNames() { return std::move(names_); }
};

}  // namespace

bool RcEqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool RcToken::IsWord(const char* word) const {
    return kind == RcTokenKind::Identifier && RcEqualsNoCase(text, word);
}

std::string RcToken::Where() const {
    return (file ? *file : std::string("?")) + ":" + std::to_string(line);
}

bool PreprocessResourceScript(const std::string& text, const std::string& fileName,
                              const RcIncludeSource& includes, RcTokenStream& out,
                              std::string& error) {
    Preprocessor pre(includes, out, error);
    bool ok = pre.Run(text, fileName, 0);
    for (auto& name : pre.TakeNames()) out.ownedNames.push_back(std::move(name));
    return ok;
}

}  // namespace sim
