// Services: the service control manager's calls, for stopping, starting and querying services.
#pragma once

namespace plat {

// The calls join this interface with the code that controls the "Spooler" service
// (OpenSCManagerA, OpenServiceA, ControlService, StartServiceA, QueryServiceStatus).
class Services {
public:
    virtual ~Services() = default;
};

}  // namespace plat
