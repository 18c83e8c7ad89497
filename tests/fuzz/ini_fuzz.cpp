// Fuzz target: INI text and the profile calls. Any text parses; a value set with SetValue (and
// with WritePrivateProfileStringA on a simulated machine) reads back as written, and every
// other key keeps its value.
#include <cstring>
#include <map>

#include "common/text.h"
#include "platform/sim/api/ini_text.h"
#include "platform/sim/api/profile_buffers.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Names an INI file can hold: no line breaks, no '=' (it ends a key), no brackets (they end a
// section name), no ';' (a comment), no NUL, no blanks around them; not empty.
std::string NameFrom(const std::string& raw) {
    std::string out;
    for (char c : raw)
        if (!std::strchr("\r\n=[];", c) && c != '\0') out += c;
    return std::string(common::Trim(out, " \t"));
}

std::string ValueFrom(const std::string& raw) {
    std::string out;
    for (char c : raw)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return out;
}

// Every key of every section (first section of a name, as lookups see it) with its value.
std::map<std::string, std::optional<std::string>> AllValues(const sim::ini::Document& doc) {
    std::map<std::string, std::optional<std::string>> values;
    for (const std::string& section : doc.SectionNames()) {
        auto keys = doc.KeyNames(section);
        if (!keys) continue;
        for (const std::string& key : *keys)
            values[common::ToUpperAscii(section) + "\n" + common::ToUpperAscii(key)] = doc.FindValue(section, key);
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Picker pick(data, size);
    const std::string section = NameFrom(pick.Text(16));
    const std::string key = NameFrom(pick.Text(16));
    const std::string value = ValueFrom(pick.Text(40));
    const std::string text = pick.Rest();

    const sim::ini::Document before(text);
    for (const sim::ini::Line& line : before.lines())
        FUZZ_CHECK(line.begin <= line.end && line.end <= line.next && line.next <= text.size(), "line offsets");
    if (section.empty() || key.empty()) return 0;

    // The edit on the text.
    const std::string edited = sim::ini::SetValue(text, section, key, value);
    const sim::ini::Document after(edited);
    const std::string expected(common::Trim(value, " \t"));
    FUZZ_CHECK(after.FindValue(section, key) == expected, "the value set does not read back");
    auto old = AllValues(before);
    auto now = AllValues(after);
    const std::string changed = common::ToUpperAscii(section) + "\n" + common::ToUpperAscii(key);
    for (const auto& [name, v] : old)
        if (name != changed) FUZZ_CHECK(now.count(name) && now[name] == v, "another key changed: " + name);

    // The same through the profile calls of a program on the simulated machine.
    sim::ThrowawayMachine& machine = fuzz::Machine();
    static std::unique_ptr<sim::SimPlatform> program = machine.Process(32, "C:\\Fuzz\\program.exe", "C:\\Fuzz");
    std::filesystem::path host = machine.machine().HostPath("C:\\Fuzz\\fuzz.ini");
    std::FILE* file = std::fopen(host.c_str(), "wb");
    FUZZ_CHECK(file, "cannot write the INI file on the machine");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    plat::Profile& profile = program->profile();
    FUZZ_CHECK(profile.WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), "C:\\Fuzz\\fuzz.ini"),
               "WritePrivateProfileStringA failed");
    char buffer[256];
    std::uint32_t n = profile.GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", buffer,
                                                       sizeof buffer, "C:\\Fuzz\\fuzz.ini");
    // The profile calls drop one pair of matching quotes around a value, as Windows does.
    const std::string unquoted(sim::ini::StripQuotes(expected));
    FUZZ_CHECK(n < sizeof buffer && std::string(buffer, n) == unquoted,
               "the profile value does not read back: '" + std::string(buffer, n < sizeof buffer ? n : 0) + "'");
    return 0;
}
