// Fuzz target: the machine settings (machine.ini). Settings read from any text, or changed by
// one `winsim set KEY=VALUE` with any value, are written to text that reads back as the same
// settings; and what is accepted stays sane (a finite time scale).
#include <cmath>

#include "platform/sim/state/machine.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckRoundTrip(const sim::MachineSettings& settings, const char* how) {
    FUZZ_CHECK(std::isfinite(settings.timeScale) && settings.timeScale >= 0, std::string(how) + ": time scale");
    const std::string written = sim::FormatSettings(settings);
    sim::MachineSettings again;
    std::string error;
    FUZZ_CHECK(sim::ParseSettings(written, again, error), std::string(how) + ": written settings do not read: " + error);
    // Every setting as it was in memory, not only as it was written.
    FUZZ_CHECK(again.preset == settings.preset && again.productName == settings.productName &&
                   again.major == settings.major && again.minor == settings.minor && again.build == settings.build &&
                   again.platformId == settings.platformId && again.productType == settings.productType &&
                   again.csdVersion == settings.csdVersion && again.architecture == settings.architecture &&
                   again.hasNativeSystemInfo == settings.hasNativeSystemInfo &&
                   again.hasIsWow64Process == settings.hasIsWow64Process &&
                   again.administrator == settings.administrator && again.codePage == settings.codePage &&
                   again.timeScale == settings.timeScale && again.windowsDir == settings.windowsDir &&
                   again.tempDir == settings.tempDir && again.userName == settings.userName,
               std::string(how) + ": settings change on reload");
    FUZZ_CHECK(sim::FormatSettings(again) == written, std::string(how) + ": the text changes on reload");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Picker pick(data, size);
    const std::string key = pick.Text(16);
    const std::string value = pick.Text(40);
    const std::string text = pick.Rest();

    sim::MachineSettings read;
    std::string error;
    if (sim::ParseSettings(text, read, error)) CheckRoundTrip(read, "read");

    sim::MachineSettings set;
    if (sim::SetSetting(set, key, value, error)) CheckRoundTrip(set, ("set " + key).c_str());
    return 0;
}
