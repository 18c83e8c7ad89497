// A small hand-written JSON writer: objects, arrays, strings, numbers and booleans.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pkgcheck {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the current object.
    void Key(const std::string& name);
    void String(const std::string& value);
    // A host path or other UTF-8 text (see EscapeUtf8).
    void Utf8String(const std::string& value);
    void Number(std::int64_t value);
    void Bool(bool value);
    void Null();

    // Text bytes of the package's code page: ASCII as is, every other byte as \u00XX.
    static std::string Escape(const std::string& text);
    // UTF-8 text, such as a host path: every character beyond ASCII as its \uXXXX escape (a
    // surrogate pair above U+FFFF), a byte that starts no valid UTF-8 sequence as \ufffd.
    static std::string EscapeUtf8(const std::string& text);

private:
    void BeforeValue();
    void Indent();

    std::ostream& out_;
    // One entry per open object or array: whether it already has a member.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
};

}  // namespace pkgcheck
