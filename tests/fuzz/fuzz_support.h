// Shared pieces of the fuzz targets: checks that stop the run with a message, splitting one
// input into several texts, and one throwaway simulated machine per fuzzing process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/process/throwaway_machine.h"

namespace fuzz {

// A property that does not hold is a finding like a crash: libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* file, int line, const std::string& what) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what.c_str());
    std::fflush(stderr);
    std::abort();
}
#define FUZZ_CHECK(condition, what)                                   \
    do {                                                              \
        if (!(condition)) ::fuzz::Broken(__FILE__, __LINE__, (what)); \
    } while (0)

// The input's parts between lines of "@@" (the corpus files use this to hold a file and the
// calls made on it). Missing parts are empty.
inline std::vector<std::string> SplitParts(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        std::size_t at = text.find("\n@@\n");
        if (at == std::string_view::npos) break;
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 4);
    }
    parts.emplace_back(text);
    parts.resize(count);
    return parts;
}

// Reads bytes off the front of an input for choices, the rest stays as data.
class Picker {
public:
    Picker(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    std::uint32_t Uint32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return v;
    }
    // A piece of text of at most `max` bytes: its length comes first.
    std::string Text(std::size_t max) {
        std::size_t n = Byte() % (max + 1);
        if (n > size_) n = size_;
        std::string out(reinterpret_cast<const char*>(data_), n);
        data_ += n;
        size_ -= n;
        return out;
    }
    std::string Rest() {
        std::string out(reinterpret_cast<const char*>(data_), size_);
        data_ += size_;
        size_ = 0;
        return out;
    }
    bool empty() const { return size_ == 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// One simulated machine for the whole fuzzing process, made on first use in the host's
// temporary directory and removed when the process ends normally. Inputs reuse it: making a
// machine per input would cost more than the code under test.
inline sim::ThrowawayMachine& Machine() {
    static std::unique_ptr<sim::ThrowawayMachine> machine = [] {
        std::string error;
        auto m = sim::ThrowawayMachine::Create("windows-7-x86", "pkg-fuzz", error);
        if (!m) {
            std::fprintf(stderr, "cannot make the fuzzing machine: %s\n", error.c_str());
            std::abort();
        }
        return m;
    }();
    return *machine;
}

}  // namespace fuzz
