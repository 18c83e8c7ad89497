// The COM frame's test fixture: a plug-in made through the class factory on a throwaway
// simulated machine, with counters of its own.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "platform/win_constants.h"
#include "plugin/com/OemUiClassFactory.h"
#include "plugin/com/OemUiPlugin.h"
#include "tests/support/temp_machine.h"

namespace comtest {

namespace com = plugin::com;

struct ComFrameTest : testing::Test {
    void SetUp() override {
        platform = machine.Process();
        ASSERT_TRUE(platform);
    }

    com::IClassFactory* Factory() {
        void* factory = nullptr;
        EXPECT_EQ(plugin::GetClassObject(*platform, counters, com::CLSID_OEMUI,
                                         com::IID_IClassFactory, &factory),
                  S_OK);
        return static_cast<com::IClassFactory*>(factory);
    }

    com::IPrintOemUI* Plugin() {
        com::IClassFactory* factory = Factory();
        void* object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, com::IID_IPrintOemUI, &object), S_OK);
        factory->Release();
        return static_cast<com::IPrintOemUI*>(object);
    }

    std::uint32_t LastError() { return platform->lastError().GetLastError(); }

    testsupport::TempMachine machine;
    std::unique_ptr<sim::SimPlatform> platform;
    plugin::ModuleCounters counters;
};

}  // namespace comtest
