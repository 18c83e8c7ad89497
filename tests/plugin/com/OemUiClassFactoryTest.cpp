// The class factory: the one class it answers for, the interfaces it offers, aggregation, and
// the object and lock counts that decide when the library may unload.
#include "tests/plugin/com/ComFrameTest.h"

#include "tests/plugin/com/FakeDriver.h"

namespace {

using namespace plugin;
using comtest::ComFrameTest;
using testdriver::FakeDriver;

TEST_F(ComFrameTest, FactoryAnswersOnlyForItsClass) {
    com::CLSID other = com::CLSID_OEMUI;
    other.Data4[7] ^= 1;
    void* out = &counters;  // must be left alone
    EXPECT_EQ(GetClassObject(*platform, counters, other, com::IID_IClassFactory, &out),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, &counters);
}

TEST_F(ComFrameTest, FactoryRefusesOtherInterfacesAndLeavesNothing) {
    void* out = &counters;
    EXPECT_EQ(GetClassObject(*platform, counters, com::CLSID_OEMUI, com::IID_IPrintOemUI, &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    // The temporary factory is gone again (the leak checker of the sanitizer run sees it).
    EXPECT_TRUE(counters.CanUnload());
}

TEST_F(ComFrameTest, FactoryAnswersForIUnknown) {
    void* out = nullptr;
    ASSERT_EQ(GetClassObject(*platform, counters, com::CLSID_OEMUI, com::IID_IUnknown, &out),
              S_OK);
    auto* unknown = static_cast<com::IUnknown*>(out);
    EXPECT_EQ(unknown->AddRef(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
    EXPECT_EQ(unknown->Release(), 0u);
}

TEST_F(ComFrameTest, CreateInstanceRefusesAggregation) {
    com::IClassFactory* factory = Factory();
    FakeDriver outer;
    void* object = &counters;
    EXPECT_EQ(factory->CreateInstance(&outer, com::IID_IPrintOemUI, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_TRUE(counters.CanUnload());
    factory->Release();
}

TEST_F(ComFrameTest, CreateInstanceForAnotherInterfaceLeavesNoObject) {
    com::IClassFactory* factory = Factory();
    void* object = &counters;
    EXPECT_EQ(factory->CreateInstance(nullptr, com::IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(counters.objects.load(), 0);
    factory->Release();
}

TEST_F(ComFrameTest, UnloadWaitsForObjectsAndLocks) {
    com::IPrintOemUI* plugin = Plugin();
    EXPECT_EQ(counters.objects.load(), 1);
    EXPECT_FALSE(counters.CanUnload());
    EXPECT_EQ(plugin->AddRef(), 2u);
    EXPECT_EQ(plugin->Release(), 1u);
    EXPECT_EQ(plugin->Release(), 0u);
    EXPECT_TRUE(counters.CanUnload());

    com::IClassFactory* factory = Factory();
    EXPECT_EQ(factory->LockServer(1), S_OK);
    factory->Release();
    EXPECT_FALSE(counters.CanUnload());
    factory = Factory();
    EXPECT_EQ(factory->LockServer(0), S_OK);
    factory->Release();
    EXPECT_TRUE(counters.CanUnload());
}

}  // namespace
