// The plug-in's shared object loaded into a program on the simulated machine, as the universal
// driver loads the DLL: one process, so one last error per thread, and modules whose
// templates stay their own.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "platform/sim/api/module.h"
#include "platform/sim/process/throwaway_machine.h"
#include "platform/win_constants.h"
#include "plugin/com/OemUiTypes.h"
#include "tests/platform/sim/process/host_pages.h"

namespace {

using namespace plugin;

const std::string kLibrary = std::string(PKG_BINARY_DIR) + "/plugin/ZK450iUI.so";

using GetClassObjectFn = com::HRESULT(PLUGIN_STDCALL*)(const com::CLSID&, const com::IID&, void**);

// A driver host on a fresh machine: the process's platform made from the environment winsim
// would give it, and the plug-in's library loaded into it.
class LoadedPlugin : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        machine_ = sim::ThrowawayMachine::Create("windows-7-x64", "loadedplugin", error);
        ASSERT_TRUE(machine_) << error;
        setenv("WINSIM_MACHINE", machine_->machine().dir().c_str(), 1);
        setenv("WINSIM_MODULE", "C:\\Windows\\System32\\spoolsv.exe", 1);
        setenv("WINSIM_BITS", "64", 1);
        platform_ = plat::MakeProcessPlatform();
        ASSERT_TRUE(platform_);
        library_ = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
    }

    void TearDown() override {
        if (library_) dlclose(library_);
        platform_.reset();
        unsetenv("WINSIM_MACHINE");
        unsetenv("WINSIM_MODULE");
        unsetenv("WINSIM_BITS");
    }

    // A plug-in object as the driver creates it; null when the library does not give one.
    com::IPrintOemUI* CreatePlugin() {
        auto getClassObject =
            reinterpret_cast<GetClassObjectFn>(dlsym(library_, "DllGetClassObject"));
        if (!getClassObject) return nullptr;
        void* out = nullptr;
        if (getClassObject(com::CLSID_OEMUI, com::IID_IClassFactory, &out) != S_OK) return nullptr;
        auto* factory = static_cast<com::IClassFactory*>(out);
        void* object = nullptr;
        const com::HRESULT created = factory->CreateInstance(nullptr, com::IID_IPrintOemUI, &object);
        factory->Release();
        return created == S_OK ? static_cast<com::IPrintOemUI*>(object) : nullptr;
    }

    std::unique_ptr<sim::ThrowawayMachine> machine_;
    std::unique_ptr<plat::Platform> platform_;
    void* library_ = nullptr;
};

TEST_F(LoadedPlugin, ALastErrorSetInsideThePluginIsTheCallersLastError) {
    com::IPrintOemUI* plugin = CreatePlugin();
    ASSERT_NE(plugin, nullptr);
    plat::LastError& lastError = platform_->lastError();

    lastError.SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);  // no parameter block
    EXPECT_EQ(lastError.GetLastError(), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));

    // The other way round: a call that succeeds leaves the caller's last error alone.
    lastError.SetLastError(ERROR_FILE_NOT_FOUND);
    com::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
    EXPECT_EQ(lastError.GetLastError(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));

    // Another thread has a last error of its own, as on Windows.
    std::uint32_t seenThere = 1;
    std::thread([&] { seenThere = lastError.GetLastError(); }).join();
    EXPECT_EQ(seenThere, static_cast<std::uint32_t>(ERROR_SUCCESS));
    plugin->Release();
}

// What a page learned of itself when it was made.
struct PageLogic : plat::DialogLogic {
    std::string title;
    std::string firstText;
    bool OnInitDialog(plat::DialogWindow& window) override {
        title = window.GetTitle();
        firstText = window.GetItemText(-1);
        return true;
    }
};

// The host's frame: the plug-in's page 105 and the host's own page 105 side by side.
struct FrameLogic : plat::DialogLogic {
    plat::ModuleRef plugin;
    PageLogic pluginPage, hostPage;
    bool pluginPageMade = false, hostPageMade = false;
    bool OnInitDialog(plat::DialogWindow& window) override {
        pluginPageMade = window.CreateChildPage(plugin, 105, pluginPage, IDC_PLUGIN_PAGE_AREA) != nullptr;
        hostPageMade = window.CreateChildPage(105, hostPage, IDC_HOST_PAGE_AREA) != nullptr;
        window.EndDialog(IDOK);
        return true;
    }
};

TEST_F(LoadedPlugin, ThePluginsTemplate105AndTheHostsStayApartEachFromItsModule) {
    const plat::ModuleRef plugin = sim::ModuleOfLoadedLibrary(library_);
    ASSERT_NE(plugin, plat::ModuleRef{});
    ASSERT_NE(plugin, plat::ProgramModule());

    FrameLogic frame;
    frame.plugin = plugin;
    ASSERT_EQ(platform_->dialogs().RunModal(IDD_HOST_FRAME, frame), IDOK);
    ASSERT_TRUE(frame.pluginPageMade);
    ASSERT_TRUE(frame.hostPageMade);
    EXPECT_EQ(frame.pluginPage.title, "Version");
    EXPECT_EQ(frame.pluginPage.firstText, "ZK450i Printer Driver");
    EXPECT_EQ(frame.hostPage.title, "Host page");
    EXPECT_EQ(frame.hostPage.firstText, "The host's own page 105");

    // A top-level dialog from each module's 105, and none from the plug-in's for the host's
    // frame: the plug-in has no template 200.
    struct Ender : PageLogic {
        bool OnInitDialog(plat::DialogWindow& window) override {
            PageLogic::OnInitDialog(window);
            window.EndDialog(7);
            return true;
        }
    } fromPlugin, fromHost, missing;
    EXPECT_EQ(platform_->dialogs().RunModal(plugin, 105, fromPlugin), 7);
    EXPECT_EQ(fromPlugin.title, "Version");
    EXPECT_EQ(platform_->dialogs().RunModal(105, fromHost), 7);
    EXPECT_EQ(fromHost.title, "Host page");
    EXPECT_EQ(platform_->dialogs().RunModal(plugin, IDD_HOST_FRAME, missing), -1);
}

// The library's own code names its module as the loader does: its templates register there.
TEST_F(LoadedPlugin, UnloadingThePluginTakesItsTemplatesAway) {
    const plat::ModuleRef plugin = sim::ModuleOfLoadedLibrary(library_);
    PageLogic page;
    struct Ender : PageLogic {
        bool OnInitDialog(plat::DialogWindow& window) override {
            window.EndDialog(7);
            return true;
        }
    } ender;
    ASSERT_EQ(platform_->dialogs().RunModal(plugin, 105, ender), 7);
    ASSERT_EQ(dlclose(library_), 0);
    library_ = nullptr;
    EXPECT_EQ(platform_->dialogs().RunModal(plugin, 105, ender), -1);
}

}  // namespace
