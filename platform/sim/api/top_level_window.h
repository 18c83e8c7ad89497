// Top-level windows that a program on the simulated machine opens, visible to every process.
#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "platform/desktop.h"
#include "platform/sim/state/machine.h"
#include "platform/sim/state/process_context.h"

namespace sim {

// A window this process has open on the machine's desktop. Other processes find it by its
// title (FindWindowA) while the object lives; destroying it closes the window. Titles are in
// the machine's code page, as the program holds them.
class TopLevelWindow {
public:
    ~TopLevelWindow();
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;

    plat::WindowRef ref() const { return id_; }
    // SetWindowTextA on the window.
    void SetTitle(const std::string& title);
    // True while the window is minimised (another process may restore it).
    bool IsMinimized() const;
    // Minimises the window; the transcript says so, and it is no longer the foreground.
    void Minimize();

private:
    friend std::unique_ptr<TopLevelWindow> OpenTopLevelWindow(const Machine&,
                                                              const ProcessContext&,
                                                              const std::string&,
                                                              const std::string&, bool);
    TopLevelWindow(const Machine& machine, const ProcessContext& process, plat::WindowRef id,
                   std::string titleUtf8);

    std::filesystem::path machineDir_;
    std::uint32_t codePage_;
    std::string program_;
    plat::WindowRef id_;
    std::string titleUtf8_;
};

// Opens a top-level window with that title and window class, on top of the z-order and in the
// foreground (or minimised), and writes "opens window ..." to the transcript. Null when the
// desktop state cannot be written.
std::unique_ptr<TopLevelWindow> OpenTopLevelWindow(const Machine& machine,
                                                   const ProcessContext& process,
                                                   const std::string& title,
                                                   const std::string& className = "",
                                                   bool minimized = false);

}  // namespace sim
