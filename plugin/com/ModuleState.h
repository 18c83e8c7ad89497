// What one loaded copy of the plug-in library keeps: its counters, its instance handle and the
// platform its objects run on.
#pragma once
#include <memory>

#include "platform/platform.h"
#include "plugin/com/ModuleCounters.h"

namespace plugin {

ModuleCounters& LibraryCounters();

// The library's module instance handle (an HINSTANCE on Windows), recorded at process attach;
// the resource instance of every page and dialog.
void SetModuleInstance(void* instance);
void* ModuleInstance();

// The platform the library's objects use: made with plat::MakeProcessPlatform() on first need
// and kept until the library unloads. Null when none can be made (natively: no simulated
// machine in the environment).
plat::Platform* LibraryPlatform();
// Puts another platform in place (tests); null makes the next LibraryPlatform() call make one.
// Objects made earlier keep a reference to the platform they were made with, so this is only
// for moments when no object lives.
void ReplaceLibraryPlatform(std::unique_ptr<plat::Platform> platform);

}  // namespace plugin
