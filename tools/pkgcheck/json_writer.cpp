// The hand-written JSON writer.
#include "tools/pkgcheck/json_writer.h"

#include <cstdio>

namespace pkgcheck {

std::string JsonWriter::Escape(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    char code[8];
                    std::snprintf(code, sizeof code, "\\u%04x", c);
                    out += code;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
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
