// The Windows-side driver: runs a program, takes an automation script's actions on its real
// windows through window messages, and writes what a person would have seen in the
// simulator's transcript format (the lines both can observe; docs/windriver.md).
#pragma once
#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tools/windriver/driver_script.h"
#include "tools/windriver/resource_names.h"
#include "tools/windriver/win_windows.h"

namespace windriver {

struct DriverOptions {
    std::string program;         // the program file, run from its own directory
    std::string arguments;       // its command line after the program
    std::string programName;     // the transcript's line prefix ("setup")
    std::vector<DriverAction> script;
    ResourceNames names;
    std::string screenshotDir;   // empty: no screenshots
    std::string screenshotStem;  // file names start with it
};

class Driver {
public:
    Driver(DriverOptions options, std::FILE* transcript);
    // Runs the program to its end and returns the exit status winsim's `run` would give:
    // the program's own, 4 when it ended with 0 and actions were left, 3 on a script error,
    // 125 when it could not be started.
    int Run();

private:
    struct PageState {
        HWND window;
        int templateId;
        bool visible;
    };
    struct WindowState {
        HWND window;
        std::string title;
        bool messageBox;
        std::vector<PageState> pages;
    };

    void Write(const std::string& line);
    [[noreturn]] void Fail(const std::string& line);
    std::vector<WindowState> Snapshot();
    // Waits until the program is idle and its windows stop changing, then writes what changed.
    void Settle();
    void Observe(const std::vector<WindowState>& now);
    std::string PageName(const PageState& page) const;
    HWND CurrentWindow(bool& messageBox);
    void AnswerMessageBox(HWND box);
    void Perform(const DriverAction& action, HWND dialog);
    void Show(HWND dialog);
    HWND Resolve(const DriverAction& action, HWND dialog, bool mustBeUsable);
    std::string NameOf(HWND control, bool withText);
    void Screenshot(HWND window);

    DriverOptions options_;
    std::FILE* transcript_;
    Templates templates_;
    PROCESS_INFORMATION process_{};
    std::size_t next_ = 0;  // the next script action
    std::vector<WindowState> seen_;
    int shots_ = 0;
};

}  // namespace windriver
