// The simulated machine as a platform, and the process platform of native builds.
#include "platform/sim/process/platform.h"

#include <iostream>
#include <mutex>

#include "platform/sim/process/process_start.h"

namespace sim {

SimPlatform::SimPlatform(Machine machine, ProcessContext process)
    : machine_(std::move(machine)),
      process_(std::move(process)),
      files_(machine_, process_, lastError_),
      profile_(files_, lastError_),
      system_(machine_, process_, lastError_),
      desktop_(machine_, process_, lastError_),
      answers_(machine_, process_, desktop_),
      shell_(machine_, process_, desktop_, files_),
      registry_(machine_, process_),
      dialogs_(machine_, process_, desktop_, system_),
      spooler_(machine_, process_, lastError_),
      deviceInstallation_(machine_, process_, files_, lastError_),
      services_(machine_, lastError_),
      fileVersions_(machine_, files_, lastError_) {
    desktop_.Connect(&answers_, &shell_);
}

namespace {

// A view of the process's one platform: the program's and every DLL's platform object are
// such views, so they meet one current directory, clock and set of printer handles.
class ProcessPlatformView : public plat::Platform {
public:
    explicit ProcessPlatformView(std::shared_ptr<SimPlatform> process) : p_(std::move(process)) {}

    plat::Profile& profile() override { return p_->profile(); }
    plat::FileSystem& files() override { return p_->files(); }
    plat::SystemInfo& system() override { return p_->system(); }
    plat::Desktop& desktop() override { return p_->desktop(); }
    plat::Registry& registry() override { return p_->registry(); }
    plat::LastError& lastError() override { return p_->lastError(); }
    plat::Dialogs& dialogs() override { return p_->dialogs(); }
    plat::RawPrinting& rawPrinting() override { return p_->rawPrinting(); }
    plat::PrinterSetup& printerSetup() override { return p_->printerSetup(); }
    plat::Forms& forms() override { return p_->forms(); }
    plat::DeviceInstallation& deviceInstallation() override { return p_->deviceInstallation(); }
    plat::Services& services() override { return p_->services(); }
    plat::Fonts& fonts() override { return p_->fonts(); }
    plat::UsbAccess& usbAccess() override { return p_->usbAccess(); }
    plat::FileVersions& fileVersions() override { return p_->fileVersions(); }
    plat::Shutdown& shutdown() override { return p_->shutdown(); }
    plat::TextRaster& textRaster() override { return p_->textRaster(); }

private:
    std::shared_ptr<SimPlatform> p_;
};

}  // namespace

}  // namespace sim

namespace plat {

std::unique_ptr<Platform> MakeProcessPlatform() {
    // The process's platform, made from the environment by the first call and shared by every
    // call while one of them lives.
    static std::mutex mutex;
    static std::weak_ptr<sim::SimPlatform> current;
    std::lock_guard lock(mutex);
    std::shared_ptr<sim::SimPlatform> process = current.lock();
    if (!process) {
        std::string error;
        auto context = sim::ProcessFromEnvironment(error);
        if (!context) {
            std::cerr << error << "\n";
            return nullptr;
        }
        auto machine = sim::Machine::Open(context->machineDir, error);
        if (!machine) {
            std::cerr << error << "\n";
            return nullptr;
        }
        process = std::make_shared<sim::SimPlatform>(std::move(*machine), std::move(*context));
        current = process;
    }
    return std::make_unique<sim::ProcessPlatformView>(std::move(process));
}

}  // namespace plat
