// Test support for the simulated dialogs: a machine whose sleeps take no real time, processes
// with a script, and a dialog logic whose behaviour each test gives as functions.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "tests/platform/sim/ui/test_resource.h"
#include "tests/support/scripted_machine.h"

namespace dialogtest {

class TestLogic : public plat::DialogLogic {
public:
    std::vector<std::string> events;
    std::function<void(plat::DialogWindow&)> init;
    std::function<bool(plat::DialogWindow&, int, int)> command;
    std::function<void(plat::DialogWindow&, int)> timer;
    std::function<bool(plat::DialogWindow&, int)> sysCommand;
    std::function<void(plat::DialogWindow&)> help;
    std::function<bool(plat::DialogWindow&, plat::Canvas&)> paint;
    // WM_NOTIFY and WM_HSCROLL/WM_VSCROLL are recorded as "notify ID CODE", "scroll ID CODE".
    bool recordNotifications = false;

    bool OnInitDialog(plat::DialogWindow& w) override {
        events.push_back("init");
        if (init) init(w);
        return true;
    }
    void OnShowWindow(plat::DialogWindow&, bool shown) override {
        events.push_back(shown ? "show" : "hide");
    }
    bool OnCommand(plat::DialogWindow& w, int id, int code) override {
        events.push_back("command " + std::to_string(id) + " " + std::to_string(code));
        return command ? command(w, id, code) : false;
    }
    bool OnSysCommand(plat::DialogWindow& w, int c) override {
        events.push_back("sys " + std::to_string(c));
        return sysCommand ? sysCommand(w, c) : false;
    }
    void OnTimer(plat::DialogWindow& w, int id) override {
        events.push_back("timer " + std::to_string(id));
        if (timer) timer(w, id);
    }
    void OnHelp(plat::DialogWindow& w) override {
        events.push_back("help");
        if (help) help(w);
    }
    bool OnPaint(plat::DialogWindow& w, plat::Canvas& c) override { return paint ? paint(w, c) : false; }
    void OnDestroy(plat::DialogWindow&) override { events.push_back("destroy"); }
    void OnNotify(plat::DialogWindow&, int id, int code) override {
        if (recordNotifications) events.push_back("notify " + std::to_string(id) + " " + std::to_string(code));
    }
    void OnScroll(plat::DialogWindow&, int id, int code) override {
        if (recordNotifications) events.push_back("scroll " + std::to_string(id) + " " + std::to_string(code));
    }
};

// A machine whose sleeps take no real time, with processes that run a script.
using DialogTest = testsupport::ScriptedMachineTest;

}  // namespace dialogtest
