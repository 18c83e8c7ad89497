// Where the host tells what happened: one line per call it makes to the plug-in and per answer
// it gives, so the order of the calls can be read back (the simulated machine's transcript).
#pragma once
#include <string>

namespace driverui {

class HostReport {
public:
    virtual ~HostReport() = default;
    // One line, without the program's name (the transcript adds "driverui: ").
    virtual void Line(const std::string& text) = 0;
};

}  // namespace driverui
