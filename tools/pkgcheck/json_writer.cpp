// The hand-written JSON writer.
#include "tools/pkgcheck/json_writer.h"

#include <cstdio>

namespace pkgcheck {

namespace {

void AppendCodeUnit(std::string& out, std::uint32_t unit) {
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", static_cast<unsigned>(unit));
    out += code;
}

// ASCII as JSON writes it; false for a byte beyond ASCII, which the caller escapes.
bool AppendAscii(std::string& out, unsigned char c) {
    switch (c) {
        case '"': out += "\\\""; return true;
        case '\\': out += "\\\\"; return true;
        case '\n': out += "\\n"; return true;
        case '\r': out += "\\r"; return true;
        case '\t': out += "\\t"; return true;
    }
    if (c >= 0x80) return false;
    if (c < 0x20 || c == 0x7F)
        AppendCodeUnit(out, c);
    else
        out.push_back(static_cast<char>(c));
    return true;
}

// The code point of the UTF-8 sequence at text[at], and its length; 0 when the bytes there
// start no valid sequence (stray continuation bytes, overlong forms, surrogates, beyond
// U+10FFFF, cut sequences).
std::size_t DecodeUtf8(const std::string& text, std::size_t at, std::uint32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) { length = 2; minimum = 0x80; codePoint = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; minimum = 0x800; codePoint = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; minimum = 0x10000; codePoint = lead & 0x07; }
    else return 0;
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
    return length;
}

}  // namespace

std::string JsonWriter::Escape(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text)
        if (!AppendAscii(out, c)) AppendCodeUnit(out, c);
    return out + "\"";
}

std::string JsonWriter::EscapeUtf8(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        if (AppendAscii(out, static_cast<unsigned char>(text[at]))) {
            ++at;
            continue;
        }
        std::uint32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(text, at, codePoint);
        if (length == 0) {
            AppendCodeUnit(out, 0xFFFD);
            ++at;
            continue;
        }
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            AppendCodeUnit(out, 0xD800 + (codePoint >> 10));
            AppendCodeUnit(out, 0xDC00 + (codePoint & 0x3FF));
        } else {
            AppendCodeUnit(out, codePoint);
        }
        at += length;
    }
    return out + "\"";
}

void JsonWriter::Indent() {
    out_ << '\n';
    for (std::size_t i = 0; i < hasMember_.size(); ++i) out_ << "  ";
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMember_.empty()) {
        if (hasMember_.back()) out_ << ',';
        hasMember_.back() = true;
        Indent();
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ << '{';
    hasMember_.push_back(false);
}

void JsonWriter::EndObject() {
    bool any = hasMember_.back();
    hasMember_.pop_back();
    if (any) Indent();
    out_ << '}';
    if (hasMember_.empty()) out_ << '\n';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ << '[';
    hasMember_.push_back(false);
}

void JsonWriter::EndArray() {
    bool any = hasMember_.back();
    hasMember_.pop_back();
    if (any) Indent();
    out_ << ']';
}

void JsonWriter::Key(const std::string& name) {
    BeforeValue();
    out_ << Escape(name) << ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::string& value) {
    BeforeValue();
    out_ << Escape(value);
}

void JsonWriter::Utf8String(const std::string& value) {
    BeforeValue();
    out_ << EscapeUtf8(value);
}

void JsonWriter::Number(std::int64_t value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

}  // namespace pkgcheck
