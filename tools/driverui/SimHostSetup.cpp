// The host on the simulated machine: the transcript and the registry.
#include "tools/driverui/HostSetup.h"

namespace driverui {

namespace {

class TranscriptReport final : public HostReport {
public:
    explicit TranscriptReport(plat::Desktop& desktop) : desktop_(desktop) {}
    void Line(const std::string& text) override { desktop_.Transcript(text.c_str()); }

private:
    plat::Desktop& desktop_;
};

}  // namespace

std::unique_ptr<HostReport> MakeHostReport(plat::Platform& platform) {
    return std::make_unique<TranscriptReport>(platform.desktop());
}

std::unique_ptr<DevmodeStore> MakeDevmodeStore(plat::Platform& platform) {
    return std::make_unique<RegistryDevmodeStore>(platform.registry());
}

}  // namespace driverui
