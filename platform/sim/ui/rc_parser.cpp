// The resource-script statement parser: dialogs and their controls, string tables, and the
// resources the simulator only records (icons, bitmaps, version information, manifests).
#include <cstring>

#include "platform/sim/ui/rc_constants.h"
#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/rc_tokens.h"

namespace sim {

namespace {

constexpr std::uint32_t kChildVisible = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kTabStop = 0x00010000u;
constexpr std::uint32_t kGroup = 0x00020000u;
constexpr std::uint32_t kBorder = 0x00800000u;
// How deeply parentheses, NOT, ~, - and ! may nest in one value: far beyond any real script,
// and shallow enough that reading the value cannot exhaust the stack.
constexpr int kMaxExpressionDepth = 100;

// A style expression: the bits it sets and the bits NOT removes from the statement's default.
struct StyleValue {
    long set = 0;
    long removed = 0;
};

// The fixed control statements: the class they make, the default style they give, and whether
// the statement starts with a text ("text", id, ...) or with the id. A written style adds to
// the default, except that a control type written in it (CBS_DROPDOWN, ...) replaces the
// default's type bits, as the resource compiler does.
struct ControlStatement {
    const char* keyword;
    const char* className;
    std::uint32_t style;
    bool hasText;
    std::uint32_t typeMask = 0;
};
constexpr ControlStatement kStatements[] = {
    {"LTEXT", "Static", 0x0 | kGroup, true},           // SS_LEFT
    {"RTEXT", "Static", 0x2 | kGroup, true},           // SS_RIGHT
    {"CTEXT", "Static", 0x1 | kGroup, true},           // SS_CENTER
    {"PUSHBUTTON", "Button", 0x0 | kTabStop, true},    // BS_PUSHBUTTON
    {"DEFPUSHBUTTON", "Button", 0x1 | kTabStop, true}, // BS_DEFPUSHBUTTON
    {"CHECKBOX", "Button", 0x2 | kTabStop, true},      // BS_CHECKBOX
    {"AUTOCHECKBOX", "Button", 0x3 | kTabStop, true},  // BS_AUTOCHECKBOX
    {"STATE3", "Button", 0x5 | kTabStop, true},        // BS_3STATE
    {"AUTO3STATE", "Button", 0x6 | kTabStop, true},    // BS_AUTO3STATE
    {"RADIOBUTTON", "Button", 0x4, true},              // BS_RADIOBUTTON
    {"AUTORADIOBUTTON", "Button", 0x9, true},          // BS_AUTORADIOBUTTON
    {"GROUPBOX", "Button", 0x7, true},                 // BS_GROUPBOX
    {"EDITTEXT", "Edit", 0x0 | kBorder | kTabStop, false},  // ES_LEFT
    {"COMBOBOX", "ComboBox", 0x1 | kTabStop, false, 0x3},    // CBS_SIMPLE
    {"LISTBOX", "ListBox", 0x1 | kBorder, false},            // LBS_NOTIFY
    {"SCROLLBAR", "ScrollBar", 0x0, false},                  // SBS_HORZ
};

// Resource types kept only as a record: a file name, or a block that is skipped.
constexpr const char* kRecordedTypes[] = {"ICON", "BITMAP", "CURSOR", "VERSIONINFO", "MENU",
                                          "MENUEX", "ACCELERATORS", "TEXTINCLUDE", "RCDATA",
                                          "DLGINIT", "TOOLBAR", "HTML", "FONT", "MESSAGETABLE",
                                          "DESIGNINFO", "AFX_DIALOG_LAYOUT", "RT_MANIFEST"};
constexpr const char* kMemoryAttributes[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE",
                                             "IMPURE", "PRELOAD", "LOADONCALL", "SHARED",
                                             "NONSHARED"};

class Parser {
public:
    Parser(const RcTokenStream& in, RcScript& out, std::string& error)
        : t_(in.tokens), defines_(in.defines), out_(out), error_(error) {}

    bool Run() {
        for (const auto& [name, tokens] : defines_) {
            if (tokens.size() == 1 && tokens[0].kind == RcTokenKind::Number)
                out_.symbols[name] = tokens[0].number;
            else if (tokens.size() == 3 && tokens[0].Is("(") && tokens[1].kind == RcTokenKind::Number &&
                     tokens[2].Is(")"))
                out_.symbols[name] = tokens[1].number;
        }
        while (p_ < t_.size()) {
            if (!Statement()) return false;
        }
        return true;
    }

private:
    bool Fail(const std::string& what) {
        const RcToken* at = p_ < t_.size() ? &t_[p_] : (t_.empty() ? nullptr : &t_.back());
        error_ = (at ? at->Where() + ": " : std::string()) + what;
        return false;
    }
    bool AtEnd() const { return p_ >= t_.size(); }
    const RcToken& Peek() const { return t_[p_]; }
    bool PeekIs(const char* punct) const { return !AtEnd() && Peek().Is(punct); }
    bool PeekWord(const char* word) const { return !AtEnd() && Peek().IsWord(word); }
    bool IsBegin() const { return PeekIs("{") || PeekWord("BEGIN"); }
    bool IsEnd() const { return PeekIs("}") || PeekWord("END"); }
    bool Comma() {
        if (!PeekIs(",")) return Fail("expected ','" + Found());
        ++p_;
        return true;
    }
    bool OptionalComma() {
        if (PeekIs(",")) {
            ++p_;
            return true;
        }
        return false;
    }
    std::string Found() const {
        if (AtEnd()) return " at the end of the script";
        return " before '" + (Peek().kind == RcTokenKind::String ? "\"" + Peek().text + "\"" : Peek().text) + "'";
    }

    // Expressions: | + - & combine terms; NOT, ~, - and ! apply to the next term.
    bool Expression(StyleValue& v) {
        if (!Term(v)) return false;
        while (!AtEnd() && (PeekIs("|") || PeekIs("+") || PeekIs("-") || PeekIs("&"))) {
            std::string op = t_[p_++].text;
            StyleValue r;
            if (!Term(r)) return false;
            if (op == "|") v.set |= r.set;
            else if (op == "+") v.set += r.set;
            else if (op == "-") v.set -= r.set;
            else v.set &= r.set;
            v.removed |= r.removed;
        }
        return true;
    }
    // A term that nests (NOT, ~, -, !, parentheses) reads its inside one level deeper.
    bool Term(StyleValue& v) {
        if (AtEnd()) return Fail("expected a value at the end of the script");
        const RcToken& k = t_[p_];
        bool nests = k.IsWord("NOT") || k.Is("~") || k.Is("-") || k.Is("!") || k.Is("(");
        if (!nests) return PlainTerm(v);
        if (expressionDepth_ >= kMaxExpressionDepth)
            return Fail("the value nests more than " + std::to_string(kMaxExpressionDepth) +
                        " levels of parentheses and NOT, ~, -, ! deep");
        ++expressionDepth_;
        bool ok = NestedTerm(v);
        --expressionDepth_;
        return ok;
    }
    bool NestedTerm(StyleValue& v) {
        const RcToken& k = t_[p_];
        if (k.IsWord("NOT")) {
            ++p_;
            StyleValue r;
            if (!Term(r)) return false;
            v.removed |= r.set;
            return true;
        }
        if (k.Is("~") || k.Is("-") || k.Is("!")) {
            ++p_;
            StyleValue r;
            if (!Term(r)) return false;
            v.set = k.Is("~") ? ~r.set : k.Is("-") ? -r.set : !r.set;
            return true;
        }
        if (k.Is("(")) {
            ++p_;
            if (!Expression(v)) return false;
            if (!PeekIs(")")) return Fail("expected ')'" + Found());
            ++p_;
            return true;
        }
        return Fail("expected a value" + Found());
    }
    bool PlainTerm(StyleValue& v) {
        const RcToken& k = t_[p_];
        if (k.kind == RcTokenKind::Number) {
            ++p_;
            v.set = k.number;
            return true;
        }
        if (k.kind == RcTokenKind::Identifier) {
            if (auto value = SystemRcConstant(k.text)) {
                ++p_;
                v.set = *value;
                return true;
            }
            return Fail("unknown name '" + k.text + "'");
        }
        return Fail("expected a value" + Found());
    }
    bool Number(long& out, std::string* name = nullptr) {
        if (name && !AtEnd()) *name = !Peek().macro.empty() ? Peek().macro
                                      : Peek().kind == RcTokenKind::Identifier ? Peek().text : "";
        StyleValue v;
        if (!Expression(v)) return false;
        out = v.set;
        return true;
    }
    bool Int(int& out, std::string* name = nullptr) {
        long v = 0;
        if (!Number(v, name)) return false;
        out = static_cast<int>(v);
        return true;
    }
    bool String(std::string& out) {
        if (AtEnd() || Peek().kind != RcTokenKind::String) return Fail("expected a text in quotes" + Found());
        out = t_[p_++].text;
        return true;
    }

    // Skips a BEGIN ... END block with everything nested in it.
    bool SkipBlock() {
        if (!IsBegin()) return Fail("expected BEGIN" + Found());
        int depth = 0;
        do {
            if (AtEnd()) return Fail("BEGIN without END");
            if (IsBegin()) ++depth;
            else if (IsEnd()) --depth;
            ++p_;
        } while (depth > 0);
        return true;
    }
    void SkipMemoryAttributes() {
        while (!AtEnd()) {
            bool attribute = false;
            for (const char* a : kMemoryAttributes) attribute = attribute || Peek().IsWord(a);
            if (!attribute) return;
            ++p_;
        }
    }

    bool Statement() {
        const RcToken& first = Peek();
        if (first.IsWord("STRINGTABLE")) {
            ++p_;
            return StringTable();
        }
        if (first.IsWord("LANGUAGE")) {  // LANGUAGE primary, sub
            ++p_;
            long a = 0, b = 0;
            return Number(a) && Comma() && Number(b);
        }
        // NAME TYPE ...: the name is a number, a defined symbol or a word.
        std::string name = first.macro.empty() ? first.text : first.macro;
        long id = 0;
        bool numeric = first.kind == RcTokenKind::Number || SystemRcConstant(first.text).has_value();
        if (first.kind == RcTokenKind::Number) id = first.number;
        else if (auto value = SystemRcConstant(first.text)) id = *value;
        else if (first.kind != RcTokenKind::Identifier && first.kind != RcTokenKind::String)
            return Fail("expected a resource statement" + Found());
        ++p_;
        if (AtEnd()) return Fail("a resource name without a type");
        const RcToken& type = Peek();
        if (type.IsWord("DIALOG") || type.IsWord("DIALOGEX")) {
            if (!numeric) return Fail("dialog '" + name + "' needs a number for its id");
            ++p_;
            return Dialog(static_cast<int>(id), name, type.IsWord("DIALOGEX"), first);
        }
        std::string typeName;
        bool recorded = false;
        for (const char* r : kRecordedTypes) recorded = recorded || type.IsWord(r);
        if (recorded) typeName = type.text;
        else if (type.kind == RcTokenKind::Number) typeName = std::to_string(type.number);
        else return Fail("unknown resource type '" + type.text + "'");
        ++p_;
        RcOtherResource other{name, typeName, {}};
        SkipMemoryAttributes();
        if (!AtEnd() && Peek().kind == RcTokenKind::String) {
            other.file = t_[p_++].text;
        } else {
            // Version information and menus carry statements before their block.
            while (!AtEnd() && !IsBegin()) ++p_;
            if (!SkipBlock()) return false;
        }
        out_.others.push_back(other);
        return true;
    }

    bool StringTable() {
        SkipMemoryAttributes();
        while (!AtEnd() && !IsBegin()) {  // LANGUAGE, CHARACTERISTICS, VERSION
            ++p_;
        }
        if (!IsBegin()) return Fail("expected BEGIN" + Found());
        ++p_;
        while (!IsEnd()) {
            if (AtEnd()) return Fail("STRINGTABLE without END");
            long id = 0;
            std::string text;
            if (!Number(id)) return false;
            OptionalComma();
            if (!String(text)) return false;
            out_.strings[static_cast<int>(id)] = text;
        }
        ++p_;
        return true;
    }

    bool Dialog(int id, const std::string& name, bool extended, const RcToken& at) {
        RcDialog d;
        d.id = id;
        d.idName = name;
        d.extended = extended;
        d.file = at.file ? *at.file : "";
        d.line = at.line;
        SkipMemoryAttributes();
        if (!Int(d.x) || !Comma() || !Int(d.y) || !Comma() || !Int(d.cx) || !Comma() || !Int(d.cy))
            return false;
        if (OptionalComma()) {  // help id
            long help = 0;
            if (!Number(help)) return false;
        }
        bool styleGiven = false;
        while (!IsBegin()) {
            if (AtEnd()) return Fail("dialog without BEGIN");
            const RcToken& k = Peek();
            ++p_;
            if (k.IsWord("STYLE")) {
                StyleValue v;
                if (!Expression(v)) return false;
                d.style = static_cast<std::uint32_t>(v.set & ~v.removed);
                styleGiven = true;
            } else if (k.IsWord("EXSTYLE")) {
                StyleValue v;
                if (!Expression(v)) return false;
                d.exStyle = static_cast<std::uint32_t>(v.set & ~v.removed);
            } else if (k.IsWord("CAPTION")) {
                if (!String(d.caption)) return false;
            } else if (k.IsWord("FONT")) {
                if (!Int(d.fontSize) || !Comma() || !String(d.fontFace)) return false;
                if (OptionalComma()) {  // weight, italic, charset
                    if (!Int(d.fontWeight)) return false;
                    long ignored = 0;
                    if (OptionalComma() && !Number(ignored)) return false;
                    if (OptionalComma() && !Number(ignored)) return false;
                }
            } else if (k.IsWord("CLASS")) {
                if (!AtEnd() && Peek().kind == RcTokenKind::String) d.className = t_[p_++].text;
                else if (long v = 0; Number(v)) d.className = std::to_string(v);
                else return false;
            } else if (k.IsWord("MENU")) {
                if (AtEnd()) return Fail("MENU needs a name");
                d.menu = Peek().macro.empty() ? Peek().text : Peek().macro;
                ++p_;
            } else if (k.IsWord("LANGUAGE")) {
                long a = 0, b = 0;
                if (!Number(a) || !Comma() || !Number(b)) return false;
            } else if (k.IsWord("CHARACTERISTICS") || k.IsWord("VERSION")) {
                long ignored = 0;
                if (!Number(ignored)) return false;
            } else {
                --p_;
                return Fail("unknown dialog statement '" + k.text + "'");
            }
        }
        // Without STYLE the compiler gives WS_POPUP | WS_BORDER | WS_SYSMENU; a caption adds
        // WS_CAPTION and a font DS_SETFONT.
        if (!styleGiven) d.style = 0x80000000u | 0x00800000u | 0x00080000u;
        if (!d.caption.empty()) d.style |= 0x00C00000u;
        if (!d.fontFace.empty()) d.style |= 0x40u;
        ++p_;  // BEGIN
        while (!IsEnd()) {
            if (AtEnd()) return Fail("dialog " + name + " without END");
            RcControl c;
            if (!Control(c)) return false;
            d.controls.push_back(std::move(c));
        }
        ++p_;
        if (out_.dialogs.count(id)) return Fail("dialog " + std::to_string(id) + " is defined twice");
        out_.dialogs[id] = std::move(d);
        return true;
    }

    // The optional ", exstyle [, helpid]" tail of a control statement; the help id is read and
    // dropped.
    bool ExStyleTail(RcControl& c) {
        if (!OptionalComma()) return true;
        StyleValue ex;
        if (!Expression(ex)) return false;
        c.exStyle = static_cast<std::uint32_t>(ex.set & ~ex.removed);
        if (OptionalComma()) {
            long help = 0;
            if (!Number(help)) return false;
        }
        return true;
    }

    // The optional ", style [, exstyle [, helpid]]" tail of a control statement.
    bool StyleTail(RcControl& c, std::uint32_t defaults, std::uint32_t typeMask = 0) {
        StyleValue style{static_cast<long>(defaults), 0};
        if (OptionalComma()) {
            StyleValue given;
            if (!Expression(given)) return false;
            if (given.set & static_cast<long>(typeMask)) style.set &= ~static_cast<long>(typeMask);
            style.set |= given.set;
            style.removed = given.removed;
            if (!ExStyleTail(c)) return false;
        }
        c.style = static_cast<std::uint32_t>((style.set | kChildVisible) & ~style.removed);
        return true;
    }

    bool TextOrId(std::string& text) {
        if (!AtEnd() && Peek().kind == RcTokenKind::String) return String(text);
        long v = 0;
        std::string name;
        if (!Number(v, &name)) return false;
        text = name.empty() ? std::to_string(v) : name;
        return true;
    }

    bool Control(RcControl& c) {
        const RcToken& k = Peek();
        c.line = k.line;
        c.statement = k.kind == RcTokenKind::Identifier ? k.text : "";
        for (char& ch : c.statement) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        ++p_;
        if (c.statement == "CONTROL") {
            // CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]]
            if (!TextOrId(c.text) || !Comma() || !Int(c.id, &c.idName) || !Comma()) return false;
            if (!AtEnd() && Peek().kind == RcTokenKind::String) {
                c.className = t_[p_++].text;
            } else if (!AtEnd() && Peek().kind == RcTokenKind::Identifier &&
                       SystemRcClassName(Peek().text)) {
                c.className = *SystemRcClassName(t_[p_++].text);
            } else {
                return Fail("CONTROL needs a window class" + Found());
            }
            StyleValue style;
            if (!Comma() || !Expression(style) || !Comma()) return false;
            if (!Int(c.x) || !Comma() || !Int(c.y) || !Comma() || !Int(c.cx) || !Comma() || !Int(c.cy))
                return false;
            c.style = static_cast<std::uint32_t>((style.set | kChildVisible) & ~style.removed);
            if (!ExStyleTail(c)) return false;
            return true;
        }
        if (c.statement == "ICON") {
            // ICON name, id, x, y [, cx, cy [, style [, exstyle]]]
            c.className = "Static";
            if (!TextOrId(c.text) || !Comma() || !Int(c.id, &c.idName) || !Comma() || !Int(c.x) ||
                !Comma() || !Int(c.y))
                return false;
            if (OptionalComma()) {
                if (!Int(c.cx) || !Comma() || !Int(c.cy)) return false;
                return StyleTail(c, 0x3);  // SS_ICON
            }
            c.style = kChildVisible | 0x3;
            return true;
        }
        for (const ControlStatement& s : kStatements) {
            if (c.statement != s.keyword) continue;
            c.className = s.className;
            if (s.hasText && (!TextOrId(c.text) || !Comma())) return false;
            if (!Int(c.id, &c.idName) || !Comma() || !Int(c.x) || !Comma() || !Int(c.y) || !Comma() ||
                !Int(c.cx) || !Comma() || !Int(c.cy))
                return false;
            return StyleTail(c, s.style, s.typeMask);
        }
        --p_;
        return Fail("unknown control statement '" + k.text + "'");
    }

    const std::vector<RcToken>& t_;
    const std::map<std::string, std::vector<RcToken>>& defines_;
    RcScript& out_;
    std::string& error_;
    size_t p_ = 0;
    int expressionDepth_ = 0;  // nested terms open in the value being read
};

}  // namespace

const RcControl* RcDialog::FindControl(int controlId) const {
    for (const RcControl& c : controls)
        if (c.id == controlId) return &c;
    return nullptr;
}

const RcDialog* RcScript::FindDialog(int id) const {
    auto it = dialogs.find(id);
    return it == dialogs.end() ? nullptr : &it->second;
}

std::optional<long> RcScript::Symbol(const std::string& name) const {
    auto it = symbols.find(name);
    if (it == symbols.end()) return std::nullopt;
    return it->second;
}

std::string RcScript::SymbolOf(long value, const std::string& prefix) const {
    for (const auto& [name, v] : symbols)
        if (v == value && name.compare(0, prefix.size(), prefix) == 0) return name;
    return {};
}

bool ParseResourceScript(const std::string& text, const std::string& fileName,
                         const RcIncludeSource& includes, RcScript& out, std::string& error) {
    RcTokenStream tokens;
    if (!PreprocessResourceScript(text, fileName, includes, tokens, error)) return false;
    RcScript script;
    Parser parser(tokens, script, error);
    if (!parser.Run()) return false;
    out = std::move(script);
    return true;
}

}  // namespace sim
