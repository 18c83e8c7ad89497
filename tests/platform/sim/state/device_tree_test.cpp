// Tests of the device tree in the machine's registry: the seeded devices, USB printers seen and
// kept when detached, registering and removing devices, and the driver keys binding picks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/state/device_tree.h"
#include "platform/sim/state/usb_printers.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

const char kPortsGuid[] = "{4D36E978-E325-11CE-BFC1-08002BE10318}";

std::vector<std::string> Ids(const sim::Machine& machine) {
    std::vector<std::string> ids;
    for (const sim::DeviceRecord& d : sim::ReadDevices(machine))
        ids.push_back(d.instanceId + (d.present ? "" : " (gone)"));
    return ids;
}

TEST(DeviceTree, ANewMachineHasAHubAPortAndADisplay) {
    TempMachine m("windows-7-x64");
    const auto devices = sim::ReadDevices(m.machine());
    ASSERT_EQ(devices.size(), 3u);
    // Instance-id order: ACPI, PCI, USB.
    EXPECT_EQ(devices[0].instanceId, "ACPI\\PNP0501\\1");
    EXPECT_EQ(devices[0].className, "Ports");
    EXPECT_EQ(devices[0].hardwareIds, (std::vector<std::string>{"ACPI\\PNP0501", "*PNP0501"}));
    EXPECT_EQ(devices[0].driver, std::string(kPortsGuid) + "\\0000");
    EXPECT_EQ(devices[1].className, "Display");
    EXPECT_EQ(devices[2].className, "USB");
    for (const auto& d : devices) EXPECT_TRUE(d.present) << d.instanceId;
}

TEST(DeviceTree, APrinterIsSeenWhenAttachedAndKeptWhenDetached) {
    TempMachine m("windows-7-x64");
    sim::UsbPrinter printer;
    printer.internalId = 7;
    std::string error;
    ASSERT_TRUE(sim::AttachUsbPrinter(m.machine(), printer, error)) << error;
    const std::string id = sim::UsbPrinterInstanceId(0x5A5A, 0x5A5A, 0);
    EXPECT_EQ(id, "USB\\VID_5A5A&PID_5A5A\\SN000000");

    auto device = sim::FindDevice(m.machine(), id);
    ASSERT_TRUE(device);
    EXPECT_TRUE(device->present);
    EXPECT_EQ(device->hardwareIds,
              (std::vector<std::string>{"USB\\VID_5A5A&PID_5A5A&REV_0100", "USB\\VID_5A5A&PID_5A5A"}));
    EXPECT_EQ(device->className, "");

    ASSERT_EQ(sim::DetachUsbPrinters(m.machine(), 7), 1);
    device = sim::FindDevice(m.machine(), id);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->present);

    // Attached again it takes a new slot: a second device, the first stays not present.
    ASSERT_TRUE(sim::AttachUsbPrinter(m.machine(), printer, error)) << error;
    EXPECT_EQ(Ids(m.machine()),
              (std::vector<std::string>{"ACPI\\PNP0501\\1",
                                        "PCI\\VEN_FFFF&DEV_0001&SUBSYS_00000000&REV_00\\3&0&0&10",
                                        "USB\\ROOT_HUB20\\4&1A2B3C4D&0",
                                        "USB\\VID_5A5A&PID_5A5A\\SN000000 (gone)",
                                        "USB\\VID_5A5A&PID_5A5A\\SN000001"}));
}

TEST(DeviceTree, RegisterRemoveAndBind) {
    TempMachine m("windows-7-x64");
    sim::DeviceRecord port;
    port.instanceId = "ROOT\\PORTS\\0000";
    port.hardwareIds = {"root\\nkxvcom"};
    port.className = "Ports";
    port.classGuid = kPortsGuid;
    ASSERT_EQ(sim::RegisterDevice(m.machine(), port), ERROR_SUCCESS);
    EXPECT_EQ(sim::RegisterDevice(m.machine(), port), ERROR_DEVINST_ALREADY_EXISTS);
    port.instanceId = "ROOT\\PORTS\\0001";
    ASSERT_EQ(sim::RegisterDevice(m.machine(), port), ERROR_SUCCESS);
    port.instanceId = "ROOT\\PORTS";
    EXPECT_EQ(sim::RegisterDevice(m.machine(), port), ERROR_INVALID_DEVINST_NAME);

    sim::DriverBinding binding;
    binding.className = "Ports";
    binding.classGuid = kPortsGuid;
    binding.infPath = "oem2.inf";
    // COM1 has 0000: the two ports get 0001 and 0002, and keep them when bound again.
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(sim::BindDriver(m.machine(), {"ROOT\\PORTS\\0000", "ROOT\\PORTS\\0001"}, binding),
                  ERROR_SUCCESS);
        EXPECT_EQ(sim::FindDevice(m.machine(), "ROOT\\PORTS\\0000")->driver,
                  std::string(kPortsGuid) + "\\0001");
        EXPECT_EQ(sim::FindDevice(m.machine(), "ROOT\\PORTS\\0001")->driver,
                  std::string(kPortsGuid) + "\\0002");
    }
    EXPECT_EQ(sim::FindDevice(m.machine(), "ROOT\\PORTS\\0001")->infPath, "oem2.inf");
    EXPECT_EQ(sim::BindDriver(m.machine(), {"ROOT\\PORTS\\0009"}, binding), ERROR_NO_SUCH_DEVINST);

    // Removing the first frees its driver key for the next device bound.
    ASSERT_EQ(sim::RemoveDevice(m.machine(), "root\\ports\\0000"), ERROR_SUCCESS);
    EXPECT_EQ(sim::RemoveDevice(m.machine(), "ROOT\\PORTS\\0000"), ERROR_NO_SUCH_DEVINST);
    port.instanceId = "ROOT\\PORTS\\0002";
    ASSERT_EQ(sim::RegisterDevice(m.machine(), port), ERROR_SUCCESS);
    ASSERT_EQ(sim::BindDriver(m.machine(), {"ROOT\\PORTS\\0002"}, binding), ERROR_SUCCESS);
    EXPECT_EQ(sim::FindDevice(m.machine(), "ROOT\\PORTS\\0002")->driver,
              std::string(kPortsGuid) + "\\0001");
}

}  // namespace
