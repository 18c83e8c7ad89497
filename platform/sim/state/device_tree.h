// The simulated machine's device tree, kept where Windows keeps it: in the registry.
//
// A device is a key HKLM\SYSTEM\CurrentControlSet\Enum\<enumerator>\<device>\<instance> with
// HardwareID (REG_MULTI_SZ), Class, ClassGUID, DeviceDesc, FriendlyName, Mfg, Driver
// ("{class-guid}\NNNN") and Service. A bound driver is the key
// HKLM\SYSTEM\CurrentControlSet\Control\Class\{class-guid}\NNNN with InfPath (the oemN.inf),
// InfSection, MatchingDeviceId, DriverDesc, DriverVersion, DriverDate and ProviderName.
//
// Presence: a USB printer attached (usb_printers.h) is the present device
// USB\VID_vvvv&PID_pppp\SNnnnnnn, nnnnnn its slot. Its key is made when it is first seen and
// kept when it is detached: the device is then not present, as on Windows. Every other device
// (root-enumerated ones, the ones a new machine is seeded with) is present. A printer still
// attached whose device is removed is found again, without driver, the next time the tree is
// read, as Windows re-enumerates a device that is plugged in.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/state/machine.h"

namespace sim {

inline constexpr const char* kEnumKey = "SYSTEM\\CurrentControlSet\\Enum";
inline constexpr const char* kClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class";
inline constexpr const char* kServicesKey = "SYSTEM\\CurrentControlSet\\Services";

struct DeviceRecord {
    std::string instanceId;                // "USB\VID_5A5A&PID_5A5A\SN000001"
    std::vector<std::string> hardwareIds;  // most specific first
    std::string className;                 // "" while the device has no class
    std::string classGuid;                 // "{36FC9E60-...}", upper case; "" without class
    std::string description;
    std::string friendlyName;
    std::string manufacturer;
    std::string driver;                    // "{guid}\0000", "" when no driver is bound
    std::string service;
    bool present = true;
    std::string infPath;                   // the bound driver's InfPath, "" when none
};

// What binding a driver writes into the device's and the driver's keys.
struct DriverBinding {
    std::string className;
    std::string classGuid;
    std::string description;      // the model's description
    std::string manufacturer;
    std::string infPath;          // "oem3.inf"
    std::string infSection;       // the install section
    std::string matchingDeviceId; // the hardware id it was chosen for, lower case
    std::string driverDate;
    std::string driverVersion;
    std::string provider;
    std::string service;          // "" when the INF adds none
    // Values the INF's AddReg puts into the driver key (HKR).
    struct Value {
        std::string name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };
    std::vector<Value> driverValues;
};

// The instance id of the attached USB printer in that slot with those ids.
std::string UsbPrinterInstanceId(std::uint16_t vendorId, std::uint16_t productId, int slot);

// Every device of the machine in instance-id order (letter case aside), with its presence.
// Attached USB printers not seen before get their keys first. Empty when the registry cannot
// be read.
std::vector<DeviceRecord> ReadDevices(const Machine& machine);
// The device with that instance id (letter case aside), or none.
std::optional<DeviceRecord> FindDevice(const Machine& machine, const std::string& instanceId);

// Adds a device (DIF_REGISTERDEVICE). ERROR_DEVINST_ALREADY_EXISTS when the instance id is
// taken; ERROR_CANTWRITE when the registry cannot be written.
std::uint32_t RegisterDevice(const Machine& machine, const DeviceRecord& device);
// Removes a device and its driver key (DIF_REMOVE). ERROR_NO_SUCH_DEVINST when it is unknown.
std::uint32_t RemoveDevice(const Machine& machine, const std::string& instanceId);
// Sets one value of a registered device's key (REG_SZ or REG_MULTI_SZ data).
// ERROR_NO_SUCH_DEVINST when it is unknown.
std::uint32_t SetDeviceValue(const Machine& machine, const std::string& instanceId,
                             const std::string& name, std::uint32_t type,
                             const std::vector<std::uint8_t>& data);
// Binds a driver to the devices: each gets a driver key of the binding's class (its own again
// when it had one of that class) and the binding's values. ERROR_NO_SUCH_DEVINST when one is
// unknown (nothing is written then).
std::uint32_t BindDriver(const Machine& machine, const std::vector<std::string>& instanceIds,
                         const DriverBinding& binding);
// Creates or rewrites a kernel driver's service key (an INF's AddService).
std::uint32_t AddDriverService(const Machine& machine, const std::string& name,
                               const std::string& displayName, std::uint32_t type,
                               std::uint32_t start, std::uint32_t errorControl,
                               const std::string& imagePath);

// Seeds a machine being created with the devices any Windows has, so that classes other than
// the package's have members: a USB root hub, the serial port COM1 and a display adapter.
bool SeedDeviceTree(const Machine& machine, std::string& error);

}  // namespace sim
