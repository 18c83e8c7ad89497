// Run-time lookups and 64-bit file-system redirection: found, missing function, missing
// library; suspending and restoring redirection in either word size.
#include <string>
#include <vector>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

using Wow64Test = ConformanceTest;
using plat::FunctionLookup;

TEST_F(Wow64Test, LookUpFunctionTellsFoundMissingFunctionAndMissingLibrary) {
    auto& system = P().system();
    EXPECT_EQ(system.LookUpFunction("Kernel32.dll", "Wow64DisableWow64FsRedirection"),
              FunctionLookup::Found);
    EXPECT_EQ(system.LookUpFunction("winspool.drv", "SetDefaultPrinterA"), FunctionLookup::Found);
    EXPECT_EQ(system.LookUpFunction("kernel32.dll", "NoSuchFunctionHere"),
              FunctionLookup::NoFunction);
    EXPECT_EQ(P().lastError().GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_EQ(system.LookUpFunction("nosuchlibraryhere.dll", "Anything"),
              FunctionLookup::NoLibrary);
    EXPECT_EQ(P().lastError().GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST_F(Wow64Test, SuspendingRedirectionWorksOnlyForA32BitProgramOn64BitWindows) {
    bool wow64 = false;
    ASSERT_TRUE(P().system().IsWow64Process(wow64));
    void* token = nullptr;
    const bool suspended = P().files().Wow64DisableWow64FsRedirection(token);
    if (!wow64) {
        EXPECT_FALSE(suspended);
        EXPECT_EQ(P().lastError().GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_FUNCTION));
        return;
    }
    ASSERT_TRUE(suspended);
    EXPECT_TRUE(P().files().Wow64RevertWow64FsRedirection(token));
}

TEST_F(Wow64Test, A32BitProgramsSystem32FileIsNotInTheRealSystem32) {
    bool wow64 = false;
    ASSERT_TRUE(P().system().IsWow64Process(wow64));
    if (!wow64) GTEST_SKIP() << "a native program is not redirected";
    auto& files = P().files();
    char system[260];
    ASSERT_GT(files.GetSystemDirectoryA(system, sizeof system), 0u);
    const std::string path = std::string(system) + "\\conformance-redirected.tmp";
    ASSERT_TRUE(files.WriteWholeFile(path.c_str(), {'x'}));
    void* token = nullptr;
    ASSERT_TRUE(files.Wow64DisableWow64FsRedirection(token));
    const std::uint32_t native = files.GetFileAttributesA(path.c_str());
    ASSERT_TRUE(files.Wow64RevertWow64FsRedirection(token));
    EXPECT_EQ(native, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(files.GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(files.DeleteFileA(path.c_str()));
}

TEST_F(Wow64Test, SystemErrorTextsAreWindowsOwnEnglishMessages) {
    struct Case {
        std::uint32_t code;
        const char* text;
    } cases[] = {
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {ERROR_SHARING_VIOLATION,
         "The process cannot access the file because it is being used by another process.\r\n"},
        {ERROR_SERVICE_DOES_NOT_EXIST,
         "The specified service does not exist as an installed service.\r\n"},
        {ERROR_SERVICE_ALREADY_RUNNING, "An instance of the service is already running.\r\n"},
    };
    for (const Case& c : cases) {
        char text[512] = {};
        const std::uint32_t n = P().system().FormatMessageA(c.code, text, sizeof text);
        EXPECT_GT(n, 2u) << c.code;
        // Wine words its messages in its own short way ("Access denied.").
        EXPECT_TRUE_EXCEPT_WINE(std::string(text) == c.text);
    }
    // Wine has no texts for the spooler's own codes.
    char text[512] = {};
    EXPECT_TRUE_EXCEPT_WINE(
        P().system().FormatMessageA(ERROR_PRINT_MONITOR_ALREADY_INSTALLED, text, sizeof text) > 0);
}

}  // namespace
}  // namespace conformance
