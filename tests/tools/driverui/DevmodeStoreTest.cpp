// Device modes kept in the simulated registry where Windows keeps them.
#include "tools/driverui/DevmodeStore.h"

#include <gtest/gtest.h>

#include "platform/sim/state/print_provider.h"
#include "tests/support/temp_machine.h"

namespace {

using namespace driverui;

TEST(RegistryDevmodeStore, KeepsTheUsersAndThePrintersApart) {
    testsupport::TempMachine machine;
    std::string error;
    ASSERT_TRUE(sim::AddSimPrinter(machine.machine(), "Receipt", "", error)) << error;
    auto process = machine.Process(64);
    RegistryDevmodeStore store(process->registry());
    const std::vector<std::uint8_t> mine = {1, 2, 3}, printers = {9, 9};

    EXPECT_FALSE(store.Load(DevmodeScope::kUser, "Receipt"));
    ASSERT_TRUE(store.Save(DevmodeScope::kUser, "Receipt", mine));
    ASSERT_TRUE(store.Save(DevmodeScope::kPrinter, "Receipt", printers));
    // Another process of the machine reads them back (printer names letter case aside).
    auto later = machine.Process(64);
    RegistryDevmodeStore again(later->registry());
    EXPECT_EQ(again.Load(DevmodeScope::kUser, "Receipt"), mine);
    EXPECT_EQ(again.Load(DevmodeScope::kPrinter, "RECEIPT"), printers);
    EXPECT_EQ(again.Where(DevmodeScope::kPrinter, "Receipt"),
              "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Receipt, value "
              "\"Default DevMode\"");
    std::uint32_t type = 0;
    std::vector<std::uint8_t> raw;
    ASSERT_EQ(later->registry().QueryValue(plat::RegRoot::CurrentUser, "Printers\\DevModePerUser",
                                           "Receipt", type, raw, plat::RegView::Default),
              0);
    EXPECT_EQ(type, 3u);  // REG_BINARY
}

TEST(RegistryDevmodeStore, NeverMakesAKeyForAPrinterTheSpoolerLacks) {
    testsupport::TempMachine machine;
    auto process = machine.Process(64);
    RegistryDevmodeStore store(process->registry());
    EXPECT_FALSE(store.Save(DevmodeScope::kPrinter, "Nobody", {1}));
    EXPECT_NE(process->registry().OpenKey(plat::RegRoot::LocalMachine,
                                          "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\Nobody",
                                          plat::RegView::Default),
              0);
}

}  // namespace
