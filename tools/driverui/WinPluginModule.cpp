// The plug-in on Windows: ZK450iUI.dll beside the host, or the DLL the command line names.
#include <windows.h>

#include <string>

#include "tools/driverui/PluginModule.h"

namespace driverui {

namespace {

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring out(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), length);
    out.resize(out.size() - 1);  // the terminator
    return out;
}

std::string AnsiFromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(length > 0 ? length : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), length, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// ZK450iUI.dll in the directory of the host's own executable.
std::wstring BesideTheHost() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length < MAX_PATH ? length : 0);
    const std::size_t slash = path.find_last_of(L"\\/");
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) +
           L"ZK450iUI.dll";
}

class WinPluginModule final : public PluginModule {
public:
    WinPluginModule(HMODULE library, std::string path, HostReport& report)
        : library_(library), path_(std::move(path)), report_(report) {}
    ~WinPluginModule() override {
        FreeLibrary(library_);
        report_.Line("unloads " + path_);
    }
    GetClassObjectFn getClassObject() const override {
        // Through a plain function pointer type: GetProcAddress's own type says nothing.
        return reinterpret_cast<GetClassObjectFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, "DllGetClassObject")));
    }
    CanUnloadNowFn canUnloadNow() const override {
        return reinterpret_cast<CanUnloadNowFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(library_, "DllCanUnloadNow")));
    }
    plat::ModuleRef module() const override {
        return plat::ModuleRef{reinterpret_cast<std::uintptr_t>(library_)};
    }

private:
    HMODULE library_;
    std::string path_;
    HostReport& report_;
};

}  // namespace

std::unique_ptr<PluginModule> LoadPluginModule(const HostRequest& request, HostReport& report) {
    const std::wstring path =
        request.pluginPath.empty() ? BesideTheHost() : WideFromAnsi(request.pluginPath);
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library) {
        report.Line("cannot load " + AnsiFromWide(path) + ": error " +
                    std::to_string(GetLastError()));
        return nullptr;
    }
    if (!GetProcAddress(library, "DllGetClassObject")) {
        report.Line(AnsiFromWide(path) + " exports no DllGetClassObject");
        FreeLibrary(library);
        return nullptr;
    }
    report.Line("loads " + AnsiFromWide(path));
    return std::make_unique<WinPluginModule>(library, AnsiFromWide(path), report);
}

}  // namespace driverui
