// The stored-logo list's conversion settings and logo type. They belong to the plug-in process,
// not to a page: closing and reopening the Download page keeps them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "plugin/imaging/LogoDownload.h"

namespace plugin {

// How one list position is converted: halftone method (0 "None" .. 3 "Error Diffuse"),
// contrast and brightness (-100..100).
struct LogoSettings {
    std::int32_t halftoneMethod = 0;
    std::int32_t contrast = 0;
    std::int32_t brightness = 0;

    bool operator==(const LogoSettings&) const = default;
};

struct LogoListState {
    std::array<LogoSettings, kMaxLogos> settings{};
    LogoType type = LogoType::kOriginal;

    // Every record becomes `value` (a type change resets the whole list).
    void ResetAll(const LogoSettings& value) { settings.fill(value); }
    // The entry at `position` of a list of `count` entries left it: the records of the entries
    // after it move one place up and the record that becomes free (count - 1) is cleared.
    void RemoveAt(std::size_t position, std::size_t count);
};

// The process's one state, as the page and its sheet share it (one open sheet at a time).
LogoListState& ProcessLogoState();

}  // namespace plugin
