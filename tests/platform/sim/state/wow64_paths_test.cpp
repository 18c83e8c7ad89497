// Where a 32-bit program's paths lead on 64-bit Windows while redirection is on.
#include <gtest/gtest.h>

#include "platform/sim/state/machine.h"
#include "platform/sim/state/wow64_paths.h"

namespace {

TEST(Wow64Paths, System32LeadsToSysWow64ExceptItsSharedSubdirectories) {
    struct Case {
        const char* preset;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        // Redirected: System32 itself and what lies below it, any letter case.
        {"windows-7-x64", "C:\\Windows\\System32", "C:\\Windows\\SysWOW64"},
        {"windows-7-x64", "C:\\WINDOWS\\system32\\kernel32.dll", "C:\\Windows\\SysWOW64\\kernel32.dll"},
        {"windows-7-x64", "C:\\Windows\\System32\\drivers\\usbport.sys", "C:\\Windows\\SysWOW64\\drivers\\usbport.sys"},
        {"windows-7-x64", "C:\\Windows\\System32\\drivers\\etcx\\a", "C:\\Windows\\SysWOW64\\drivers\\etcx\\a"},
        {"windows-7-x64", "C:\\Windows\\System32\\spoolx.dll", "C:\\Windows\\SysWOW64\\spoolx.dll"},
        {"windows-7-x64", "C:\\Windows\\System32\\etc\\hosts", "C:\\Windows\\SysWOW64\\etc\\hosts"},
        // Shared by both word sizes.
        {"windows-7-x64", "C:\\Windows\\System32\\spool", "C:\\Windows\\System32\\spool"},
        {"windows-7-x64", "C:\\Windows\\System32\\SPOOL\\drivers\\x64\\3\\a.dll", "C:\\Windows\\System32\\SPOOL\\drivers\\x64\\3\\a.dll"},
        {"windows-7-x64", "C:\\Windows\\System32\\catroot\\a", "C:\\Windows\\System32\\catroot\\a"},
        {"windows-7-x64", "C:\\Windows\\System32\\catroot2\\a", "C:\\Windows\\System32\\catroot2\\a"},
        {"windows-7-x64", "C:\\Windows\\System32\\LogFiles\\a.log", "C:\\Windows\\System32\\LogFiles\\a.log"},
        {"windows-7-x64", "C:\\Windows\\System32\\drivers\\etc\\hosts", "C:\\Windows\\System32\\drivers\\etc\\hosts"},
        // The driver store is shared from 6.1 on only.
        {"windows-7-x64", "C:\\Windows\\System32\\DriverStore\\FileRepository", "C:\\Windows\\System32\\DriverStore\\FileRepository"},
        {"vista-x64", "C:\\Windows\\System32\\DriverStore\\FileRepository", "C:\\Windows\\SysWOW64\\DriverStore\\FileRepository"},
        {"xp-x64", "C:\\WINDOWS\\system32\\DriverStore", "C:\\WINDOWS\\SysWOW64\\DriverStore"},
        // Sysnative reaches the real System32 from 6.0 on.
        {"windows-7-x64", "C:\\Windows\\Sysnative\\a.dll", "C:\\Windows\\System32\\a.dll"},
        {"vista-x64", "C:\\Windows\\sysnative", "C:\\Windows\\System32"},
        {"xp-x64", "C:\\WINDOWS\\Sysnative\\a.dll", "C:\\WINDOWS\\Sysnative\\a.dll"},
        {"server-2003-x64", "C:\\WINDOWS\\Sysnative\\a.dll", "C:\\WINDOWS\\Sysnative\\a.dll"},
        // Not System32: names that only start like it, SysWOW64, other directories.
        {"windows-7-x64", "C:\\Windows\\System32x\\a.dll", "C:\\Windows\\System32x\\a.dll"},
        {"windows-7-x64", "C:\\Windows\\SysWOW64\\a.dll", "C:\\Windows\\SysWOW64\\a.dll"},
        {"windows-7-x64", "C:\\System32\\a.dll", "C:\\System32\\a.dll"},
        // A 32-bit machine redirects nothing.
        {"windows-7-x86", "C:\\Windows\\System32\\a.dll", "C:\\Windows\\System32\\a.dll"},
        {"windows-7-x86", "C:\\Windows\\Sysnative\\a.dll", "C:\\Windows\\Sysnative\\a.dll"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.preset) + " " + c.path);
        const sim::Preset* preset = sim::FindPreset(c.preset);
        ASSERT_NE(preset, nullptr);
        EXPECT_EQ(sim::RedirectedPath(preset->settings, c.path), c.expected);
    }
}

}  // namespace
