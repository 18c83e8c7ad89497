// The open-file dialog on the simulated desktop: the script's pick-file and cancel-file answer it.
#include <filesystem>

#include "platform/sim/state/code_page.h"
#include "platform/sim/state/win_path.h"
#include "platform/sim/ui/dialog_host.h"
#include "platform/win_constants.h"

namespace sim {

namespace {

constexpr std::uint32_t kOfnFileMustExist = 0x00001000;  // OFN_FILEMUSTEXIST
constexpr std::uint32_t kOfnPathMustExist = 0x00000800;  // OFN_PATHMUSTEXIST

std::string DialogLine(const plat::OpenFileRequest& request) {
    std::string line = "open-file dialog \"" + Utf16ToUtf8(request.title) + "\" [";
    for (std::size_t i = 0; i < request.filters.size(); ++i) {
        if (i) line += ", ";
        line += Utf16ToUtf8(request.filters[i].first);
        if (static_cast<int>(i) == request.filterIndex) line += " (chosen)";
    }
    return line + "]";
}

}  // namespace

std::optional<std::u16string> DialogHost::OpenFileDialog(const plat::OpenFileRequest& request) {
    const std::string line = DialogLine(request);
    std::optional<ScriptAction> next;
    {
        MachineLock lock(machine_.dir());
        next = NextAction();
        if (next && next->forFileDialog()) TakeAction();
    }
    if (!next || !next->forFileDialog()) {
        Write(line + " -> Cancel (" +
              (next ? "the script's next action is " + next->Describe() : std::string("no script action left")) + ")");
        return std::nullopt;
    }
    const std::string by = "script line " + std::to_string(next->line);
    if (next->verb == ScriptVerb::CancelFile) {
        Write(line + " -> Cancel (" + by + ")");
        return std::nullopt;
    }
    // The dialog gives the program a full path, whatever the person typed.
    const std::string path = AbsoluteWindowsPath(process_.currentDir, next->text);
    const std::filesystem::path host = machine_.HostPath(path);
    std::error_code error;
    const bool folderExists = std::filesystem::is_directory(host.parent_path(), error);
    const bool fileExists = std::filesystem::is_regular_file(host, error);
    if ((request.flags & kOfnPathMustExist) && !folderExists)
        Fail("script error: " + next->Describe() + ": the folder of " + path + " does not exist, so the dialog would not close");
    if ((request.flags & kOfnFileMustExist) && !fileExists)
        Fail("script error: " + next->Describe() + ": " + path + " does not exist, so the dialog would not close");
    const std::u16string wide = Utf8ToUtf16(path);
    // GetOpenFileNameW fails (FNERR_BUFFERTOOSMALL) when the path and its zero do not fit.
    if (static_cast<int>(wide.size()) + 1 > request.bufferCharacters) {
        Write(line + " -> fails: \"" + path + "\" is longer than the program's buffer of " +
              std::to_string(request.bufferCharacters) + " characters (" + by + ")");
        return std::nullopt;
    }
    Write(line + " -> \"" + path + "\" (" + by + (fileExists ? "" : "; no such file yet") + ")");
    return wide;
}

}  // namespace sim
