// Fuzz target: INF text. Any text parses or fails with a syntax error on a line of the text; a
// parsed file's names and fields hold no line breaks; a line written with every field quoted
// reads back as written; string substitution of any text ends.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/sim/api/inf_text.h"
#include "platform/win_constants.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A field as a quoted INF field can carry it: no line end, no Ctrl-Z, no NUL.
std::string FieldFrom(const std::string& raw) {
    std::string out;
    for (char c : raw)
        if (c != '\r' && c != '\n' && c != '\x1A' && c != '\0') out += c;
    return out;
}

std::string Quoted(const std::string& field) {
    std::string out = "\"";
    for (char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Picker pick(data, size);
    const std::uint8_t codePageChoice = pick.Byte();
    const std::string key = FieldFrom(pick.Text(16));
    std::vector<std::string> values;
    for (int n = pick.Byte() % 4; n >= 0; --n) values.push_back(FieldFrom(pick.Text(24)));
    const std::string text = pick.Rest();
    const std::uint32_t codePage = codePageChoice & 1 ? 936 : 1252;

    // Any text.
    sim::InfText inf;
    std::uint32_t errorLine = 0;
    const std::uint32_t code = sim::InfText::Parse(text, codePage, inf, errorLine);
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
                              static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')) + 1;
    if (code != ERROR_SUCCESS) {
        FUZZ_CHECK(code == ERROR_EXPECTED_SECTION_NAME || code == ERROR_BAD_SECTION_NAME_LINE ||
                       code == ERROR_SECTION_NAME_TOO_LONG,
                   "an error that is no syntax error");
        FUZZ_CHECK(errorLine >= 1 && errorLine <= lines, "the error line is outside the text");
    } else {
        for (const sim::InfSection& section : inf.sections()) {
            FUZZ_CHECK(section.name.size() <= 255, "a section name longer than 255");
            for (const sim::InfLine& line : section.lines) {
                FUZZ_CHECK(line.fields.size() >= 2, "a line without a value field");
                FUZZ_CHECK(line.hasKey || line.fields[0].empty(), "a key on a line without one");
                for (const std::string& f : line.fields) {
                    FUZZ_CHECK(f.find_first_of("\r\n") == std::string::npos, "a line end in a field");
                    (void)inf.Substitute(f);
                }
            }
        }
    }

    // A line of quoted fields reads back as written.
    std::string written = "[Version]\r\nSignature=$Chicago$\r\n[S]\r\n" + Quoted(key) + " = ";
    for (std::size_t i = 0; i < values.size(); ++i) written += (i ? "," : "") + Quoted(values[i]);
    written += " ; comment\r\n";
    sim::InfText back;
    FUZZ_CHECK(sim::InfText::Parse(written, 1252, back, errorLine) == ERROR_SUCCESS,
               "a written line does not parse");
    FUZZ_CHECK(back.HasWin4Signature(), "the signature is lost");
    const int s = back.FindSection("s");
    FUZZ_CHECK(s >= 0 && back.sections()[static_cast<std::size_t>(s)].lines.size() == 1, "the line is lost");
    const sim::InfLine& line = back.sections()[static_cast<std::size_t>(s)].lines[0];
    std::vector<std::string> expected{key};
    expected.insert(expected.end(), values.begin(), values.end());
    FUZZ_CHECK(line.hasKey && line.fields == expected, "a quoted field does not read back");
    return 0;
}
