// Fuzz target: the machine settings (machine.ini). Settings read from any text, or changed by
// one `winsim set KEY=VALUE` with any value, are written to text that reads back as the same
// settings; and what is accepted stays sane (a finite time scale).
#include <cmath>

#include "platform/sim/state/machine.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void CheckRoundTrip(const sim::MachineSettings& settings, const char* how) {
    const std::string written = sim::FormatSettings(settings);
    sim::MachineSettings again;
    std::string error;
    FUZZ_CHECK(sim::ParseSettings(written, again, error), std::string(how) + ": written settings do not read: " + error);
    FUZZ_CHECK(sim::FormatSettings(again) == written, std::string(how) + ": settings change on reload");
    FUZZ_CHECK(std::isfinite(settings.timeScale) && settings.timeScale >= 0, std::string(how) + ": time scale");
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
