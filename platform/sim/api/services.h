// Services on the simulated machine: not simulated yet, every call fails loudly.
#pragma once
#include <cstdio>

#include "platform/services.h"
#include "platform/win_constants.h"

namespace sim {

class SimServices : public plat::Services {
public:
    plat::ServiceHandle OpenSCManagerA(const char*, const char*, std::uint32_t) override {
        return Unsupported("OpenSCManagerA");
    }
    plat::ServiceHandle OpenServiceA(plat::ServiceHandle, const char*, std::uint32_t) override {
        return Unsupported("OpenServiceA");
    }
    bool ControlService(plat::ServiceHandle, std::uint32_t, plat::SERVICE_STATUS&) override {
        return Unsupported("ControlService");
    }
    bool StartServiceA(plat::ServiceHandle, std::uint32_t, const char**) override {
        return Unsupported("StartServiceA");
    }
    bool QueryServiceStatus(plat::ServiceHandle, plat::SERVICE_STATUS&) override {
        return Unsupported("QueryServiceStatus");
    }
    bool CloseServiceHandle(plat::ServiceHandle) override { return Unsupported("CloseServiceHandle"); }

private:
    static bool Unsupported(const char* call) {
        std::fprintf(stderr, "simulator error: %s is not simulated yet\n", call);
        return false;
    }
};

}  // namespace sim
