// Device-set conformance: what SetupAPI does with a set the test makes and never registers (a
// root device with a generated id and a hardware id read back), a class listing of present
// devices and the end of an enumeration. Nothing here changes the machine's devices.
#include <cstring>
#include <string>

#include "platform/win_constants.h"
#include "tests/conformance/fixture.h"

namespace conformance {
namespace {

const plat::GUID kPorts{0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};

class DevicesTest : public ConformanceTest {
protected:
    plat::DeviceInstallation& Dev() { return P().deviceInstallation(); }
    std::uint32_t LastError() { return P().lastError().GetLastError(); }
};

TEST_F(DevicesTest, ACreatedDeviceKeepsItsHardwareIdUntilTheSetIsDestroyed) {
    plat::DeviceInfoSet set = Dev().SetupDiCreateDeviceInfoList(&kPorts, 0);
    ASSERT_NE(set, plat::kInvalidDeviceInfoSet) << LastError();
    plat::SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    ASSERT_TRUE(Dev().SetupDiCreateDeviceInfoA(set, "Ports", kPorts, nullptr, 0, DICD_GENERATE_ID,
                                               &data))
        << LastError();
    EXPECT_EQ(0, std::memcmp(&data.ClassGuid, &kPorts, sizeof kPorts));

    const char ids[] = "root\\conformance_port\0";  // 21 characters and two zeros
    ASSERT_TRUE(Dev().SetupDiSetDeviceRegistryPropertyA(
        set, data, SPDRP_HARDWAREID, reinterpret_cast<const std::uint8_t*>(ids), sizeof ids))
        << LastError();
    char out[64] = {};
    std::uint32_t type = 0, required = 0;
    EXPECT_FALSE(Dev().SetupDiGetDeviceRegistryPropertyA(
        set, data, SPDRP_HARDWAREID, &type, reinterpret_cast<std::uint8_t*>(out), 4, &required));
    EXPECT_EQ(LastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(required, 23u);
    ASSERT_TRUE(Dev().SetupDiGetDeviceRegistryPropertyA(
        set, data, SPDRP_HARDWAREID, &type, reinterpret_cast<std::uint8_t*>(out), sizeof out,
        &required))
        << LastError();
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_MULTI_SZ));
    EXPECT_EQ(0, std::memcmp(out, ids, sizeof ids));

    plat::SP_DEVINFO_DATA first{};
    first.cbSize = sizeof first;
    ASSERT_TRUE(Dev().SetupDiEnumDeviceInfo(set, 0, first)) << LastError();
    EXPECT_EQ(first.DevInst, data.DevInst);
    EXPECT_FALSE(Dev().SetupDiEnumDeviceInfo(set, 1, first));
    EXPECT_EQ(LastError(), ERROR_NO_MORE_ITEMS);
    EXPECT_TRUE(Dev().SetupDiDestroyDeviceInfoList(set)) << LastError();
}

TEST_F(DevicesTest, PresentDevicesOfAClassAreListedToTheEnd) {
    plat::DeviceInfoSet set = Dev().SetupDiGetClassDevsA(&kPorts, nullptr, 0, DIGCF_PRESENT);
    ASSERT_NE(set, plat::kInvalidDeviceInfoSet) << LastError();
    plat::SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    std::uint32_t index = 0;
    while (Dev().SetupDiEnumDeviceInfo(set, index, data)) {
        EXPECT_EQ(0, std::memcmp(&data.ClassGuid, &kPorts, sizeof kPorts));
        ++index;
    }
    EXPECT_EQ(LastError(), ERROR_NO_MORE_ITEMS);
    EXPECT_TRUE(Dev().SetupDiDestroyDeviceInfoList(set)) << LastError();
}

}  // namespace
}  // namespace conformance
