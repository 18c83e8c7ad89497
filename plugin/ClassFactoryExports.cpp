// The plug-in's two exported entry points. The plug-in object itself is not built yet, so no
// class is available: the universal driver then runs without the plug-in's pages.
#include <cstdint>

#if defined(_WIN32)
#define PLUGIN_EXPORT extern "C" __declspec(dllexport)
#define PLUGIN_CALL __stdcall
#else
#define PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#define PLUGIN_CALL
#endif

namespace {
constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111);  // CLASS_E_CLASSNOTAVAILABLE
constexpr std::int32_t kOk = 0;                                                      // S_OK
}  // namespace

PLUGIN_EXPORT std::int32_t PLUGIN_CALL DllGetClassObject(const void* /*rclsid*/,
                                                         const void* /*riid*/, void** ppv) {
    if (ppv) *ppv = nullptr;
    return kClassNotAvailable;
}

PLUGIN_EXPORT std::int32_t PLUGIN_CALL DllCanUnloadNow() { return kOk; }
