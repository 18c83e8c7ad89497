// Fuzz target: a file's version resource and the values of a version block. Any input is read
// as a PE file and as a block; whatever is found lies within the bytes it was found in.
#include <span>

#include "platform/sim/api/version_resource.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char* const kSubBlocks[] = {
    "\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904b0\\FileVersion",
    "\\StringFileInfo\\040904B0\\ProductName", "\\\\x\\\\", "",
};

void CheckValues(std::span<const std::uint8_t> block) {
    for (const char* subBlock : kSubBlocks) {
        const sim::VersionValue value = sim::FindVersionValue(block, subBlock);
        if (!value.found) continue;
        FUZZ_CHECK(value.offset <= block.size() && block.size() - value.offset >= value.size,
                   "a value lies outside its block");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const sim::VersionResourceLocation found = sim::FindVersionResource(file);
    if (found.error == 0) {
        FUZZ_CHECK(found.size > 0 && found.offset <= size && size - found.offset >= found.size,
                   "the version resource lies outside the file");
        CheckValues(file.subspan(found.offset, found.size));
    }
    CheckValues(file);
    return 0;
}
