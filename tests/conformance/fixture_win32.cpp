// The conformance fixture on Windows (and under Wine): the real system, with a fresh directory
// under the temporary directory as each test's scratch and current directory.
#include <windows.h>

#include <string>

#include "platform/win32/platform.h"
#include "tests/conformance/fixture.h"

namespace conformance {

namespace {

// Deletes a directory tree, read-only files included, as far as it can.
void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA entry{};
    HANDLE search = ::FindFirstFileA((dir + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(dir.c_str());
}

class Win32Environment : public Environment {
public:
    Win32Environment(std::string scratch, std::string previousDir)
        : scratch_(std::move(scratch)), previousDir_(std::move(previousDir)) {}
    ~Win32Environment() override {
        // Leave the scratch directory first: Windows does not remove a current directory.
        ::SetCurrentDirectoryA(previousDir_.c_str());
        RemoveTree(scratch_);
    }
    Win32Environment(const Win32Environment&) = delete;
    Win32Environment& operator=(const Win32Environment&) = delete;

    plat::Platform& platform() override { return platform_; }
    const std::string& scratch() const override { return scratch_; }

private:
    std::string scratch_;
    std::string previousDir_;
    win32::Win32Platform platform_;
};

}  // namespace

bool RunningUnderWine() {
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::unique_ptr<Environment> MakeEnvironment(const std::string& testName) {
    static unsigned counter = 0;
    char temp[MAX_PATH] = {};
    char previous[MAX_PATH] = {};
    DWORD tempLength = ::GetTempPathA(MAX_PATH, temp);
    DWORD previousLength = ::GetCurrentDirectoryA(MAX_PATH, previous);
    if (tempLength == 0 || tempLength >= MAX_PATH || previousLength == 0 ||
        previousLength >= MAX_PATH) {
        ADD_FAILURE() << "no temporary or current directory for " << testName;
        return nullptr;
    }
    // A name no earlier run can have left behind: process id, a counter and the tick count.
    std::string scratch;
    for (int attempt = 0; attempt < 100; ++attempt) {
        scratch = std::string(temp) + "conformance-" + std::to_string(::GetCurrentProcessId()) +
                  "-" + std::to_string(counter++) + "-" + std::to_string(::GetTickCount());
        if (::CreateDirectoryA(scratch.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << scratch << ", error " << ::GetLastError();
            return nullptr;
        }
        scratch.clear();
    }
    if (scratch.empty() || !::SetCurrentDirectoryA(scratch.c_str())) {
        ADD_FAILURE() << "cannot make a scratch directory the current directory for " << testName;
        if (!scratch.empty()) RemoveTree(scratch);
        return nullptr;
    }
    return std::make_unique<Win32Environment>(scratch, previous);
}

}  // namespace conformance
