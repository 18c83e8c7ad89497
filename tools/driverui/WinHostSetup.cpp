// The host on Windows: its lines on standard output (and the debugger output), device modes in
// memory.
#include <cstdio>

#include "tools/driverui/HostSetup.h"

namespace driverui {

namespace {

class ConsoleReport final : public HostReport {
public:
    explicit ConsoleReport(plat::Desktop& desktop) : desktop_(desktop) {}
    void Line(const std::string& text) override {
        std::printf("driverui: %s\n", text.c_str());
        std::fflush(stdout);
        desktop_.Transcript(text.c_str());
    }

private:
    plat::Desktop& desktop_;
};

}  // namespace

std::unique_ptr<HostReport> MakeHostReport(plat::Platform& platform) {
    return std::make_unique<ConsoleReport>(platform.desktop());
}

std::unique_ptr<DevmodeStore> MakeDevmodeStore(plat::Platform&) {
    return std::make_unique<MemoryDevmodeStore>();
}

}  // namespace driverui
