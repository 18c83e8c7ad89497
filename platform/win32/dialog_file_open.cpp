// The system's open-file dialog owned by a real dialog (GetOpenFileNameW).
#include <windows.h>
#include <commdlg.h>

#include "platform/win32/dialog_window.h"

namespace win32 {

std::optional<std::u16string> Win32DialogWindow::OpenFileDialog(const plat::OpenFileRequest& request) {
    // The filter is pairs of zero-terminated strings, ended by an empty one.
    std::wstring filter;
    for (const auto& [text, pattern] : request.filters) {
        filter.append(text.begin(), text.end());
        filter += L'\0';
        filter.append(pattern.begin(), pattern.end());
        filter += L'\0';
    }
    filter += L'\0';
    std::wstring title(request.title.begin(), request.title.end());
    std::wstring file(static_cast<std::size_t>(request.bufferCharacters > 1 ? request.bufferCharacters : 2), L'\0');

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = request.filters.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);  // 1-based
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = request.flags;
    if (!::GetOpenFileNameW(&ofn)) return std::nullopt;
    file.resize(file.find(L'\0'));
    return std::u16string(file.begin(), file.end());
}

}  // namespace win32
