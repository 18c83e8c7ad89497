// The simulated desktop: mutexes and windows shared by the processes of one machine, message
// boxes answered by the script or by their default button, script errors, and the code-page
// conversion of everything the transcript shows.
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include <gtest/gtest.h>

#include "platform/sim/api/top_level_window.h"
#include "platform/sim/state/code_page.h"
#include "platform/sim/state/desktop_state.h"
#include "platform/sim/state/transcript.h"
#include "platform/sim/ui/script.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

std::vector<std::string> Transcript(TempMachine& m) { return sim::ReadTranscript(m.machine().dir()); }

std::string WriteScript(TempMachine& m, const std::string& name, const std::string& text) {
    std::filesystem::path path = m.machine().dir() / name;
    std::ofstream(path) << text;
    return path.string();
}

std::unique_ptr<sim::SimPlatform> ProcessWithScript(TempMachine& m, const std::string& script) {
    sim::ProcessContext context;
    context.machineDir = m.machine().dir();
    context.modulePath = "C:\\scratch\\setup.exe";
    context.currentDir = "C:\\scratch";
    context.script = script;
    return std::make_unique<sim::SimPlatform>(m.machine(), context);
}

TEST(SimDesktopMutex, NameIsSharedByEveryProcessOfTheMachineUntilTheLastHandleCloses) {
    TempMachine m;
    auto first = m.Process(), second = m.Process(), third = m.Process();
    auto a = first->desktop().CreateMutexA(true, "setup");
    ASSERT_TRUE(a);
    EXPECT_EQ(first->lastError().GetLastError(), ERROR_SUCCESS);
    auto b = second->desktop().CreateMutexA(true, "setup");
    ASSERT_TRUE(b);
    EXPECT_EQ(second->lastError().GetLastError(), ERROR_ALREADY_EXISTS);
    // Kernel object names keep their letter case.
    auto other = second->desktop().CreateMutexA(true, "Setup");
    EXPECT_EQ(second->lastError().GetLastError(), ERROR_SUCCESS);
    a.reset();
    auto c = third->desktop().CreateMutexA(false, "setup");
    EXPECT_EQ(third->lastError().GetLastError(), ERROR_ALREADY_EXISTS);
    b.reset();
    c.reset();
    auto d = third->desktop().CreateMutexA(false, "setup");
    EXPECT_EQ(third->lastError().GetLastError(), ERROR_SUCCESS);
}

TEST(SimDesktopMutex, NamesOutsideTheOneNamespaceAreHandledAsWindowsDoes) {
    TempMachine m;
    auto p = m.Process();
    auto unnamed1 = p->desktop().CreateMutexA(true, nullptr);
    auto unnamed2 = p->desktop().CreateMutexA(true, nullptr);
    ASSERT_TRUE(unnamed2);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SUCCESS);

    auto global = p->desktop().CreateMutexA(true, "Global\\setup");
    auto local = p->desktop().CreateMutexA(true, "Local\\setup");
    ASSERT_TRUE(local);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ALREADY_EXISTS);

    EXPECT_FALSE(p->desktop().CreateMutexA(true, "a\\b"));
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_PATH_NOT_FOUND);
}

// A process that ends without closing its handles (a crash) leaves nothing behind: while it
// runs, other processes see its mutex and window; once it has ended they see neither.
TEST(SimDesktopOwner, EntriesOfAProcessThatEndedAreIgnored) {
    TempMachine m;
    int ready[2], finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto p = m.Process();
        auto mutex = p->desktop().CreateMutexA(true, "setup");
        auto window = sim::OpenTopLevelWindow(m.machine(), p->process(), "Printer Driver Setup");
        char byte = 1;
        if (!mutex || !window || write(ready[1], &byte, 1) != 1) _exit(1);
        (void)!read(finish[0], &byte, 1);
        mutex.release();  // leaked on purpose: the process dies holding them
        window.release();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    auto p = m.Process();
    EXPECT_NE(p->desktop().FindWindowA(nullptr, "Printer Driver Setup"), 0u);
    auto whileRunning = p->desktop().CreateMutexA(true, "setup");
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_ALREADY_EXISTS);
    whileRunning.reset();

    ASSERT_EQ(write(finish[1], &byte, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Printer Driver Setup"), 0u);
    auto afterEnd = p->desktop().CreateMutexA(true, "setup");
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_SUCCESS);
    for (int fd : {ready[0], ready[1], finish[0], finish[1]}) close(fd);
}

TEST(SimDesktopOwner, HeldOwnerNeverDiesAndOwnerWithRecycledIdIsDead) {
    sim::ProcessOwner held;
    EXPECT_TRUE(sim::IsAlive(held));
    sim::ProcessOwner self = sim::CurrentProcess();
    EXPECT_TRUE(sim::IsAlive(self));
    sim::ProcessOwner recycled = self;
    recycled.startTime += 1;  // same id, but not the process that took it
    EXPECT_FALSE(sim::IsAlive(recycled));
}

TEST(SimDesktopWindows, FindWindowMatchesTheWholeTitleAndClass) {
    TempMachine m;
    auto owner = m.Process();
    auto setup = sim::OpenTopLevelWindow(m.machine(), owner->process(), "Printer Driver Setup",
                                         "#32770");
    ASSERT_TRUE(setup);
    auto p = m.Process();
    struct Case {
        const char* className;
        const char* title;
        bool found;
    };
    const Case cases[] = {
        {nullptr, "Printer Driver Setup", true},
        {nullptr, "PRINTER DRIVER SETUP", true},  // FindWindow ignores letter case
        {nullptr, "Printer Driver", false},       // the whole title, not a part
        {nullptr, "Printer Driver Setup ", false},
        {"#32770", "Printer Driver Setup", true},
        {"Edit", "Printer Driver Setup", false},
        {"#32770", nullptr, true},
        {nullptr, "Uninstall", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.className ? c.className : "(any)") + " / " +
                     (c.title ? c.title : "(any)"));
        plat::WindowRef found = p->desktop().FindWindowA(c.className, c.title);
        EXPECT_EQ(found, c.found ? setup->ref() : 0u);
    }
}

TEST(SimDesktopWindows, TheTopmostOfTwoEqualTitlesIsFoundAndClosedWindowsAreGone) {
    TempMachine m;
    auto p = m.Process();
    auto older = sim::OpenTopLevelWindow(m.machine(), p->process(), "Install");
    auto newer = sim::OpenTopLevelWindow(m.machine(), p->process(), "Install");
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Install"), newer->ref());
    EXPECT_TRUE(p->desktop().SetForegroundWindow(older->ref()));
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Install"), older->ref());
    older.reset();
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Install"), newer->ref());
    newer.reset();
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Install"), 0u);
}

TEST(SimDesktopWindows, RetitledWindowIsFoundByItsNewTitle) {
    TempMachine m;
    auto p = m.Process();
    auto window = sim::OpenTopLevelWindow(m.machine(), p->process(), "");
    window->SetTitle("Printer Driver Setup");
    EXPECT_EQ(p->desktop().FindWindowA(nullptr, "Printer Driver Setup"), window->ref());
    window.reset();
    EXPECT_EQ(Transcript(m), (std::vector<std::string>{
                                 "program: opens window \"\"",
                                 "program: window \"\" is now titled \"Printer Driver Setup\"",
                                 "program: closes window \"Printer Driver Setup\""}));
}

TEST(SimDesktopWindows, ForegroundAndRestoreChangeTheWindowAndAreTranscribed) {
    TempMachine m;
    auto first = m.Process();
    auto window = sim::OpenTopLevelWindow(m.machine(), first->process(), "Printer Driver Setup",
                                          "", true);
    auto second = ProcessWithScript(m, "");
    plat::Desktop& d = second->desktop();
    plat::WindowRef ref = d.FindWindowA(nullptr, "Printer Driver Setup");
    ASSERT_NE(ref, 0u);
    EXPECT_TRUE(d.IsIconic(ref));
    EXPECT_TRUE(window->IsMinimized());
    EXPECT_TRUE(d.SetForegroundWindow(ref));
    EXPECT_TRUE(d.IsIconic(ref));  // bringing forward does not restore
    EXPECT_TRUE(d.OpenIcon(ref));
    EXPECT_FALSE(d.IsIconic(ref));
    EXPECT_FALSE(window->IsMinimized());
    EXPECT_TRUE(d.OpenIcon(ref));  // nothing to restore: nothing to see
    EXPECT_EQ(Transcript(m), (std::vector<std::string>{
                                 "program: opens window \"Printer Driver Setup\" (minimised)",
                                 "setup: brings window \"Printer Driver Setup\" to the foreground",
                                 "setup: restores window \"Printer Driver Setup\""}));
}

TEST(SimDesktopWindows, CallsOnAWindowThatDoesNotExistFail) {
    TempMachine m;
    auto p = m.Process();
    plat::WindowRef gone = 0;
    {
        auto window = sim::OpenTopLevelWindow(m.machine(), p->process(), "Install");
        gone = window->ref();
    }
    for (plat::WindowRef ref : {gone, plat::WindowRef{0}, plat::WindowRef{999}}) {
        p->lastError().SetLastError(0);
        EXPECT_FALSE(p->desktop().SetForegroundWindow(ref));
        EXPECT_EQ(p->lastError().GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
        EXPECT_FALSE(p->desktop().OpenIcon(ref));
        EXPECT_FALSE(p->desktop().IsIconic(ref));
    }
}

TEST(SimDesktopMessageBox, WithoutScriptTheDefaultButtonAnswers) {
    struct Case {
        std::uint32_t type;
        int answer;
        const char* shown;
    };
    const Case cases[] = {
        {MB_OK, IDOK, "[no icon, OK] \"Text\" -> OK"},
        {MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2, IDCANCEL,
         "[question icon, OK/Cancel] \"Text\" -> Cancel"},
        {MB_YESNO | MB_ICONWARNING, IDYES, "[warning icon, Yes/No] \"Text\" -> Yes"},
        {MB_YESNO | MB_DEFBUTTON2, IDNO, "[no icon, Yes/No] \"Text\" -> No"},
        {MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3, IDCANCEL,
         "[information icon, Yes/No/Cancel] \"Text\" -> Cancel"},
        {MB_ABORTRETRYIGNORE | MB_ICONERROR | MB_DEFBUTTON2, IDRETRY,
         "[error icon, Abort/Retry/Ignore] \"Text\" -> Retry"},
        {MB_RETRYCANCEL, IDRETRY, "[no icon, Retry/Cancel] \"Text\" -> Retry"},
        // A default button the box does not have falls back to the first.
        {MB_OKCANCEL | MB_DEFBUTTON3, IDOK, "[no icon, OK/Cancel] \"Text\" -> OK"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        TempMachine m;
        auto p = m.Process();
        EXPECT_EQ(p->desktop().MessageBoxA(0, "Text", "Caption", c.type), c.answer);
        EXPECT_EQ(Transcript(m), std::vector<std::string>{"program: message box \"Caption\" " +
                                                          std::string(c.shown) +
                                                          " (default button; no script)"});
    }
}

TEST(SimDesktopMessageBox, MissingCaptionReadsErrorAndLineBreaksStayOnOneLine) {
    TempMachine m;
    auto p = m.Process();
    p->desktop().MessageBoxA(0, "Install failed.\r\nAccess is denied.", nullptr, MB_OK);
    EXPECT_EQ(Transcript(m), std::vector<std::string>{
                                 "program: message box \"Error\" [no icon, OK] \"Install "
                                 "failed.\\nAccess is denied.\" -> OK (default button; no script)"});
}

TEST(SimDesktopMessageBox, ScriptAnswersInOrderAcrossProcesses) {
    TempMachine m;
    std::string script = WriteScript(m, "answers.txt",
                                      "# setup first, then the program it starts\n"
                                      "expect Windows\n"
                                      "expect 64-bit\n"
                                      "answer No\n"
                                      "answer cancel\n");
    auto setup = ProcessWithScript(m, script);
    auto install = ProcessWithScript(m, script);
    EXPECT_EQ(setup->desktop().MessageBoxA(0, "Windows 64-bit?", "Q", MB_YESNO), IDNO);
    EXPECT_EQ(install->desktop().MessageBoxA(0, "Go on?", "Q", MB_OKCANCEL), IDCANCEL);
    // The script is used up: the next box takes its default button.
    EXPECT_EQ(setup->desktop().MessageBoxA(0, "Done", "Q", MB_OK), IDOK);
    std::vector<std::string> lines = Transcript(m);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "setup: message box \"Q\" [no icon, Yes/No] \"Windows 64-bit?\" -> No (script line 4)");
    EXPECT_EQ(lines[1], "setup: message box \"Q\" [no icon, OK/Cancel] \"Go on?\" -> Cancel (script line 5)");
    EXPECT_EQ(lines[2], "setup: message box \"Q\" [no icon, OK] \"Done\" -> OK (default button; no script action left)");
    sim::ScriptRun run(m.machine().dir(), script);
    std::string error;
    ASSERT_TRUE(run.Load(error)) << error;
    EXPECT_TRUE(run.Remaining().empty());
    run.Restart();
    EXPECT_EQ(run.Remaining().size(), 4u);
}

TEST(SimDesktopMessageBox, ExpectationMetWithoutAnswerLeavesTheDefaultButton) {
    TempMachine m;
    auto p = ProcessWithScript(m, WriteScript(m, "s.txt", "expect not supported\n"));
    EXPECT_EQ(p->desktop().MessageBoxA(0, "This Windows is not supported.", "Q", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Transcript(m).back(),
              "setup: message box \"Q\" [no icon, Yes/No] \"This Windows is not supported.\" -> No "
              "(default button; no script action left)");
}

TEST(SimDesktopMessageBoxDeathTest, ScriptErrorsEndTheProgramWithStatus3) {
    struct Case {
        const char* name;
        const char* script;  // null: the script file does not exist
        std::uint32_t type;
        const char* error;
    };
    const Case cases[] = {
        {"answer not offered", "answer Yes\n", MB_OKCANCEL,
         "script error: line 1: answer Yes: the message box offers only OK/Cancel"},
        {"expectation not met", "expect Uninstall\nanswer OK\n", MB_OK,
         "script error: line 1: expect Uninstall: the message box says \"Hello\""},
        {"unknown action", "answer OK\npress F1\n", MB_OK,
         "script error: s.txt line 2: unknown action 'press'"},
        {"no script file", nullptr, MB_OK, "script error: cannot read the script"},
        {"unsupported box", "answer OK\n", 6 /* MB_CANCELTRYCONTINUE */,
         "simulator error: message box type 0x6 is not simulated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempMachine m;
        std::string script = c.script ? WriteScript(m, "s.txt", c.script)
                                      : (m.machine().dir() / "missing.txt").string();
        auto p = ProcessWithScript(m, script);
        EXPECT_EXIT(p->desktop().MessageBoxA(0, "Hello", "Caption", c.type),
                    ::testing::ExitedWithCode(3), c.error);
        std::vector<std::string> lines = Transcript(m);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().find(std::string("setup: ") + c.error), 0u) << lines.back();
    }
}

TEST(SimScript, ParsesAnswersAndExpectations) {
    std::vector<sim::ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(sim::ParseScript("# comment\n\n  ANSWER yes\r\nexpect  a # b  \n\t# indented\nanswer Ignore",
                                 actions, error))
        << error;
    ASSERT_EQ(actions.size(), 3u);
    EXPECT_EQ(actions[0].line, 3);
    EXPECT_EQ(actions[0].answerId, IDYES);
    EXPECT_EQ(actions[0].Describe(), "line 3: ANSWER yes");
    EXPECT_EQ(actions[1].verb, sim::ScriptVerb::Expect);
    EXPECT_EQ(actions[1].argument, "a # b");
    EXPECT_EQ(actions[2].answerId, IDIGNORE);
    EXPECT_EQ(actions[2].line, 6);
}

TEST(SimScript, RejectsLinesItDoesNotUnderstand) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"answer Maybe\n", "line 1: answer needs one of OK, Cancel, Yes, No, Abort, Retry, Ignore, not 'Maybe'"},
        {"answer\n", "line 1: answer needs one of OK, Cancel, Yes, No, Abort, Retry, Ignore, not ''"},
        {"answer OK\nexpect\n", "line 2: expect needs the text the message box must contain"},
        {"\n\npress 1001\n", "line 3: unknown action 'press'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<sim::ScriptAction> actions(1);
        std::string error;
        EXPECT_FALSE(sim::ParseScript(c.text, actions, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(actions.size(), 1u);  // untouched on failure
    }
}

TEST(SimCodePage, ConvertsTheMachinesCodePageToUtf8) {
    struct Case {
        std::uint32_t codePage;
        std::string bytes;
        std::string utf8;
    };
    const Case cases[] = {
        {1252, "Setup", "Setup"},
        {1252, "caf\xE9", "café"},
        {1252, "\x80 \x85 \x99 \x9F", "€ … ™ Ÿ"},
        {1252, "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {1252, "\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {936, "\xB4\xF2\xD3\xA1\xBB\xFA", "打印机"},
        {936, "A\xB4\xF2" "B", "A打B"},
        {936, "\x80", "€"},
        {936, "\xB4", "\xEF\xBF\xBD"},             // a lead byte cut off at the end
        {936, "\xFF" "A", "\xEF\xBF\xBD" "A"},     // not a GBK byte at all
        {936, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(sim::CodePageToUtf8(c.bytes, c.codePage), c.utf8);
    }
}

TEST(SimTranscript, ProgramTextIsShownInUtf8UnderItsProgramName) {
    TempMachine m;
    sim::MachineSettings s = m.machine().settings();
    s.codePage = 936;
    std::string error;
    ASSERT_TRUE(m.machine().SaveSettings(s, error));
    auto reopened = sim::Machine::Open(m.machine().dir(), error);
    ASSERT_TRUE(reopened);
    sim::ProcessContext context;
    context.machineDir = reopened->dir();
    context.modulePath = "C:\\Package\\uninstall.exe";
    context.currentDir = "C:\\Package";
    sim::SimPlatform p(*reopened, context);
    p.desktop().Transcript("\xB4\xF2\xD3\xA1\xBB\xFA\xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2 started");
    p.desktop().MessageBoxA(0, "\xB4\xF2", "\xD3\xA1", MB_OK);
    EXPECT_EQ(Transcript(m), (std::vector<std::string>{
                                 "uninstall: 打印机卸载程序 started",
                                 "uninstall: message box \"印\" [no icon, OK] \"打\" -> OK (default "
                                 "button; no script)"}));
    // A window title and a search in GB2312 meet in the same UTF-8 form.
    auto window = sim::OpenTopLevelWindow(*reopened, context, "\xB4\xF2\xD3\xA1");
    EXPECT_EQ(p.desktop().FindWindowA(nullptr, "\xB4\xF2\xD3\xA1"), window->ref());
}

}  // namespace
