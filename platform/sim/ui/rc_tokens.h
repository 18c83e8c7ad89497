// The resource-script preprocessor and tokenizer: #include, #define and conditional lines are
// done here, so the statement parser sees one stream of tokens with their file and line.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/ui/rc_script.h"

namespace sim {

enum class RcTokenKind { Identifier, Number, String, Punct };

struct RcToken {
    RcTokenKind kind = RcTokenKind::Punct;
    std::string text;         // identifier, punctuation, or the string's decoded bytes
    long number = 0;
    std::string macro;        // the #define name this token came from, when it alone did
    const std::string* file = nullptr;  // points into RcTokenStream::ownedNames
    int line = 0;

    bool Is(const char* punct) const { return kind == RcTokenKind::Punct && text == punct; }
    // Identifier comparison ignoring letter case, as resource keywords are.
    bool IsWord(const char* word) const;
    std::string Where() const;
};

struct RcTokenStream {
    std::vector<std::unique_ptr<std::string>> ownedNames;  // what the tokens' file pointers name
    std::vector<RcToken> tokens;
    std::map<std::string, std::vector<RcToken>> defines;
    int codePage = 0;  // #pragma code_page, 0 when not given
};

// Letter-case-insensitive comparison of ASCII words, as resource keywords compare.
bool RcEqualsNoCase(const std::string& a, const std::string& b);

// Reads a script and everything it includes into tokens. False with "FILE:LINE: what".
bool PreprocessResourceScript(const std::string& text, const std::string& fileName,
                              const RcIncludeSource& includes, RcTokenStream& out,
                              std::string& error);

}  // namespace sim
