// The process-wide logo settings.
#include "plugin/pages/LogoSettings.h"

namespace plugin {

void LogoListState::RemoveAt(std::size_t position, std::size_t count) {
    if (count > settings.size()) count = settings.size();
    if (position >= count) return;
    for (std::size_t i = position; i + 1 < count; ++i) settings[i] = settings[i + 1];
    settings[count - 1] = LogoSettings{};
}

LogoListState& ProcessLogoState() {
    static LogoListState state;
    return state;
}

}  // namespace plugin
