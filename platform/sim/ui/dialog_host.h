// The simulated desktop's dialog machinery for one process: makes dialogs from the program's
// resource scripts, runs modal dialogs by taking the automation script's actions, fires timers
// on the process's clock, and writes the transcript.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/sim/api/desktop.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"
#include "platform/sim/ui/rc_script.h"
#include "platform/sim/ui/script.h"
#include "platform/system_info.h"

namespace sim {

class SimDialogWindow;
struct SimControl;

class DialogHost {
public:
    DialogHost(const Machine& machine, const ProcessContext& process, SimDesktop& desktop,
               plat::SystemInfo& system);
    ~DialogHost();

    // DialogBoxParamA: -1 when the module has no such template.
    int RunModal(plat::ModuleRef module, int templateId, plat::DialogLogic& logic,
                 SimDialogWindow* owner);
    // The same from a template the caller made (a property sheet's frame), as a dialog of the
    // module.
    int RunModal(plat::ModuleRef module, const RcDialog& source, plat::DialogLogic& logic,
                 SimDialogWindow* owner);
    // CreateDialogParamA for a page: null when the module has no such template.
    std::unique_ptr<plat::DialogWindow> CreatePage(plat::ModuleRef module, int templateId,
                                                   plat::DialogLogic& logic, SimDialogWindow& parent,
                                                   int placeholderId);

    // GetOpenFileNameW owned by a window: answered by the script's next pick-file or
    // cancel-file; any other next action (or none) cancels it, and the transcript says why.
    std::optional<std::u16string> OpenFileDialog(const plat::OpenFileRequest& request);

    // The longest a modal dialog may wait on its timers alone before the script is taken to
    // have lost its way (machine time, in milliseconds).
    static constexpr std::uint32_t kLongestIdleWait = 10 * 60 * 1000;

    // Services for the windows.
    const Machine& machine() const { return machine_; }
    const ProcessContext& process() const { return process_; }
    SimDesktop& desktop() { return desktop_; }
    plat::SystemInfo& system() { return system_; }
    std::string ToUtf8(std::string_view codePageText) const;
    // A list entry as a person reads it: its W text when it was added as one.
    std::string ItemUtf8(const SimControl& list, std::size_t index) const;
    // False (with the line on stderr) when the transcript cannot be written.
    bool Write(const std::string& utf8Line);
    [[noreturn]] void Fail(const std::string& utf8Line);
    // The module's resource scripts (none for a module without any); a script that cannot be
    // read fails loudly.
    const RcScript& resources(plat::ModuleRef module);
    // The value of a resource header's symbol ("IDC_BACK") as the window and its pages know it:
    // from the window's module first, then from its pages' modules.
    std::optional<long> Symbol(SimDialogWindow& window, const std::string& name);

private:
    void ModalLoop(SimDialogWindow& window);
    // Fires the earliest timer of the window or its pages, sleeping until it is due. False
    // when no timer runs.
    bool FireNextTimer(SimDialogWindow& window);
    void Perform(const ScriptAction& action, SimDialogWindow& window);
    // Whether control `id` of the window (or of one of its pages) is enabled.
    bool ControlEnabled(SimDialogWindow& window, int id);
    // Set by Perform for wait-enabled: the control the modal loop now waits for; 0: none.
    int awaitedControl_ = 0;
    // Writes the window's controls (and its pages') into the transcript.
    void ShowDialog(SimDialogWindow& window);
    std::optional<ScriptAction> NextAction();
    void TakeAction();

    const Machine& machine_;
    const ProcessContext& process_;
    SimDesktop& desktop_;
    plat::SystemInfo& system_;
    std::unique_ptr<ScriptRun> script_;
};

}  // namespace sim
