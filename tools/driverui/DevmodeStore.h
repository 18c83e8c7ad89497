// Where device modes are kept between runs, as the spooler keeps them: the printer's default
// device mode and each user's own.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace driverui {

enum class DevmodeScope {
    kPrinter,  // the printer's default (PRINTER_INFO_2/8): the device sheet's
    kUser,     // the user's own (PRINTER_INFO_9): the document sheet's
};

class DevmodeStore {
public:
    virtual ~DevmodeStore() = default;
    // The stored bytes; nothing when none are stored (or they cannot be read).
    virtual std::optional<std::vector<std::uint8_t>> Load(DevmodeScope scope,
                                                          const std::string& printer) = 0;
    // Stores the bytes; false when they cannot be written.
    virtual bool Save(DevmodeScope scope, const std::string& printer,
                      const std::vector<std::uint8_t>& bytes) = 0;
    // Where they are kept, for people: "HKCU\Printers\DevModePerUser, value \"P\"".
    virtual std::string Where(DevmodeScope scope, const std::string& printer) const = 0;
};

// Windows' places, as REG_BINARY values: the printer's under its spooler key
// (HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers\<printer>, "Default DevMode"), the
// user's under HKCU\Printers\DevModePerUser (a value named after the printer). The printer's
// key must exist: a device mode is never stored for a printer the spooler does not have.
class RegistryDevmodeStore final : public DevmodeStore {
public:
    explicit RegistryDevmodeStore(plat::Registry& registry) : registry_(registry) {}
    std::optional<std::vector<std::uint8_t>> Load(DevmodeScope scope,
                                                  const std::string& printer) override;
    bool Save(DevmodeScope scope, const std::string& printer,
              const std::vector<std::uint8_t>& bytes) override;
    std::string Where(DevmodeScope scope, const std::string& printer) const override;

private:
    plat::Registry& registry_;
};

// The key and value of a scope's device mode, below its root (HKLM for the printer's, HKCU
// for the user's).
struct DevmodeLocation {
    plat::RegRoot root;
    std::string key;
    std::string value;
};
DevmodeLocation LocationOf(DevmodeScope scope, const std::string& printer);

// Device modes for one run only (the Windows test host, which leaves the real spooler's
// settings alone).
class MemoryDevmodeStore final : public DevmodeStore {
public:
    std::optional<std::vector<std::uint8_t>> Load(DevmodeScope scope,
                                                  const std::string& printer) override;
    bool Save(DevmodeScope scope, const std::string& printer,
              const std::vector<std::uint8_t>& bytes) override;
    std::string Where(DevmodeScope scope, const std::string& printer) const override;

private:
    std::map<std::pair<DevmodeScope, std::string>, std::vector<std::uint8_t>> kept_;
};

}  // namespace driverui
