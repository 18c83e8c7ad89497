// ShellExecuteA on the simulated machine: documents open in a viewer that other processes find
// by its title, missing files give the shell's errors, and stand-ins start their program.
#include <chrono>
#include <fstream>
#include <thread>

#include "platform/sim/process/stand_in.h"
#include "platform/win_constants.h"
#include "tests/support/scripted_machine.h"

namespace {

using ShellTest = testsupport::ScriptedMachineTest;

TEST_F(ShellTest, ADocumentOpensInAViewerThatOtherProcessesFind) {
    std::ofstream(m.machine().driveC() / "scratch" / "Help.pdf") << "%PDF";
    auto p = Process("");
    auto other = Process("");
    EXPECT_GT(p->desktop().ShellExecuteA(0, "open", ".\\Help.pdf", nullptr, nullptr, SW_SHOWNORMAL), 32);
    EXPECT_TRUE(TranscriptHas("program: shell: open C:\\scratch\\Help.pdf"));
    plat::WindowRef viewer = other->desktop().FindWindowA(nullptr, "Help.pdf - Viewer");
    EXPECT_NE(viewer, 0u);
    EXPECT_TRUE(other->desktop().BringWindowToTop(viewer));
    EXPECT_TRUE(TranscriptHas("program: brings window \"Help.pdf - Viewer\" to the top"));
    p.reset();  // the viewer lives as long as the program that opened it
    EXPECT_EQ(other->desktop().FindWindowA(nullptr, "Help.pdf - Viewer"), 0u);
}

TEST_F(ShellTest, ATextFileOpensInNotepad) {
    std::ofstream(m.machine().driveC() / "scratch" / "SetupHelp.txt") << "help";
    auto p = Process("");
    EXPECT_GT(p->desktop().ShellExecuteA(0, nullptr, "SetupHelp.txt", nullptr, nullptr, SW_SHOWNORMAL), 32);
    EXPECT_NE(p->desktop().FindWindowA(nullptr, "SetupHelp.txt - Notepad"), 0u);
}

// The shell counts a relative path from the process's current directory as it is now, not as
// the program started.
TEST_F(ShellTest, RelativePathsCountFromTheCurrentDirectoryOfTheMoment) {
    std::filesystem::create_directories(m.machine().driveC() / "scratch" / "docs");
    std::ofstream(m.machine().driveC() / "scratch" / "docs" / "Guide.pdf") << "%PDF";
    auto p = Process("");
    EXPECT_EQ(p->desktop().ShellExecuteA(0, "open", "Guide.pdf", nullptr, nullptr, SW_SHOWNORMAL), 2);
    ASSERT_TRUE(p->files().SetCurrentDirectoryA("docs"));
    EXPECT_GT(p->desktop().ShellExecuteA(0, "open", "Guide.pdf", nullptr, nullptr, SW_SHOWNORMAL), 32);
    EXPECT_TRUE(TranscriptHas("program: shell: open C:\\scratch\\docs\\Guide.pdf"));
}

TEST_F(ShellTest, MissingFilesGiveTheShellsErrors) {
    auto p = Process("");
    struct Case {
        const char* file;
        const char* directory;
        std::intptr_t result;
        const char* line;
    };
    const Case cases[] = {
        {"missing.pdf", nullptr, 2, "program: shell: open C:\\scratch\\missing.pdf -> file not found"},
        {"missing.pdf", "C:\\nowhere", 3, "program: shell: open C:\\nowhere\\missing.pdf -> path not found"},
        {"sub\\missing.pdf", nullptr, 3, "program: shell: open C:\\scratch\\sub\\missing.pdf -> path not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(p->desktop().ShellExecuteA(0, "open", c.file, nullptr, c.directory, SW_SHOWNORMAL), c.result);
        EXPECT_TRUE(TranscriptHas(c.line));
    }
    EXPECT_EQ(p->desktop().BringWindowToTop(12345), false);
    EXPECT_EQ(p->lastError().GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

// The stand-in's program starts as another process of the machine with its module, directory,
// word size and arguments; the shell does not wait for it.
TEST_F(ShellTest, AStandInStartsItsNativeProgram) {
    std::filesystem::path bin = m.machine().dir() / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::path program = bin / "Install";
    std::ofstream(program) << "#!/bin/sh\necho \"$* $WINSIM_MODULE $WINSIM_CWD $WINSIM_BITS\" > \"$WINSIM_MACHINE/child.tmp\"\n"
                              "mv \"$WINSIM_MACHINE/child.tmp\" \"$WINSIM_MACHINE/child.txt\"\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    std::filesystem::create_directories(m.machine().driveC() / "pkg" / "USBDrv");
    std::ofstream(m.machine().driveC() / "pkg" / "USBDrv" / "Install.exe") << sim::FormatStandIn({"Install", 64});

    sim::ProcessContext context;
    context.machineDir = m.machine().dir();
    context.modulePath = "C:\\pkg\\setup.exe";
    context.currentDir = "C:\\pkg";
    context.binDir = bin;
    sim::SimPlatform p(m.machine(), context);
    EXPECT_GT(p.desktop().ShellExecuteA(0, "open", "USBDrv\\Install.exe", "2 \"a b\"", nullptr, SW_SHOWNORMAL), 32);
    EXPECT_TRUE(TranscriptHas("setup: shell: open C:\\pkg\\USBDrv\\Install.exe 2 \"a b\""));

    std::filesystem::path result = m.machine().dir() / "child.txt";
    for (int i = 0; i < 500 && !std::filesystem::exists(result); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(result);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "2 a b C:\\pkg\\USBDrv\\Install.exe C:\\pkg 64");
}

}  // namespace
