// The built ZK450iUI.so as the universal driver uses it: loaded with dlopen, entered through
// DllGetClassObject, and its exports limited to the two entry points.
#include <gtest/gtest.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "plugin/com/OemUiTypes.h"
#include "plugin/devmode/OemDevmode.h"
#include "tests/plugin/com/FakeDriver.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace plugin;

const std::string kLibrary = std::string(PKG_BINARY_DIR) + "/plugin/ZK450iUI.so";

using GetClassObjectFn = com::HRESULT(PLUGIN_STDCALL*)(const com::CLSID&, const com::IID&,
                                                       void**);
using CanUnloadNowFn = com::HRESULT(PLUGIN_STDCALL*)();

TEST(LoadedLibrary, ExportsExactlyTheTwoEntryPoints) {
    const std::string command = "nm -D --defined-only '" + kLibrary + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::set<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        const auto space = text.rfind(' ');
        names.insert(text.substr(space + 1));
    }
    ASSERT_EQ(pclose(pipe), 0) << command;
    EXPECT_EQ(names, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject"}));
}

TEST(LoadedLibrary, DriverCreatesUsesAndReleasesThePlugin) {
    // The library makes its platform from the environment a driver host on the simulated
    // machine would have.
    testsupport::TempMachine machine;
    ASSERT_EQ(setenv("WINSIM_MACHINE", machine.machine().dir().c_str(), 1), 0);
    ASSERT_EQ(setenv("WINSIM_MODULE", "C:\\Windows\\System32\\spoolsv.exe", 1), 0);

    void* library = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(dlsym(library, "DllGetClassObject"));
    auto canUnloadNow = reinterpret_cast<CanUnloadNowFn>(dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);

    void* out = nullptr;
    ASSERT_EQ(getClassObject(com::CLSID_OEMUI, com::IID_IClassFactory, &out), S_OK);
    auto* factory = static_cast<com::IClassFactory*>(out);
    void* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, com::IID_IPrintOemUI, &object), S_OK);
    factory->Release();
    auto* plugin = static_cast<com::IPrintOemUI*>(object);
    EXPECT_EQ(canUnloadNow(), S_FALSE);

    testdriver::FakeDriver driver;
    EXPECT_EQ(plugin->PublishDriverInterface(&driver), S_OK);

    std::uint32_t signature = 0;
    com::DWORD needed = 0;
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETSIGNATURE, &signature, sizeof signature, &needed), S_OK);
    EXPECT_EQ(signature, 0x51454C4Du);
    // A refused mode sets the last error through the simulated machine's thread state.
    EXPECT_EQ(plugin->GetInfo(OEMGI_GETINTERFACEVERSION, &signature, sizeof signature, &needed),
              E_FAIL);

    com::OEMDMPARAM param{};
    param.cbSize = sizeof param;
    ASSERT_EQ(plugin->DevMode(OEMDM_SIZE, &param), S_OK);
    ASSERT_EQ(param.cbBufSize, 1464u);
    std::uint8_t block[1464];
    std::memset(block, 0xAB, sizeof block);
    param.pOEMDMOut = block;
    ASSERT_EQ(plugin->DevMode(OEMDM_DEFAULT, &param), S_OK);
    const OemDevmode defaults = DefaultOemDevmode();
    EXPECT_EQ(std::memcmp(block, &defaults, sizeof block), 0);

    EXPECT_EQ(plugin->Release(), 0u);
    EXPECT_EQ(driver.references, 1u);
    EXPECT_EQ(canUnloadNow(), S_OK);
    EXPECT_EQ(dlclose(library), 0);
    unsetenv("WINSIM_MACHINE");
    unsetenv("WINSIM_MODULE");
}

}  // namespace
