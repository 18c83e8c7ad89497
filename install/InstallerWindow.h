// The installer's window (template 102): it runs the operation while it is being created,
// logs into its log box, waits two seconds and closes. Its title is what setup and uninstall
// wait on.
#pragma once
#include <functional>

#include "install/OperationContext.h"
#include "platform/dialog.h"
#include "platform/platform.h"

namespace install {

// The window's wait between the end of the operation and its closing.
constexpr std::uint32_t kLingerMilliseconds = 2000;

// The operation the window runs; main passes the command's device operation.
using Operation = std::function<void(OperationContext&)>;

class InstallerWindow : public plat::DialogLogic, public InstallLog {
public:
    InstallerWindow(plat::Platform& platform, Operation operation)
        : platform_(platform), operation_(std::move(operation)) {}

    bool OnInitDialog(plat::DialogWindow& window) override;
    bool OnCommand(plat::DialogWindow& window, int id, int code) override;
    bool OnSysCommand(plat::DialogWindow& window, int command) override;
    bool OnPaint(plat::DialogWindow& window, plat::Canvas& canvas) override;
    void OnDestroy(plat::DialogWindow& window) override;

    void Append(std::string_view text) override;
    void ReportError(const char* operation, std::uint32_t code) override;

private:
    void RunOperation(plat::DialogWindow& window);

    plat::Platform& platform_;
    Operation operation_;
    plat::DialogWindow* window_ = nullptr;
    std::string sourceDirectory_;
};

// Shows the window modally; returns when it has closed.
int RunInstallerWindow(plat::Platform& platform, Operation operation);

}  // namespace install
