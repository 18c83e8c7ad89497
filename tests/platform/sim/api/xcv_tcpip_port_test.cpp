// The Standard TCP/IP monitor on the simulated spooler: its configuration handle, "AddPort",
// the port in the spooler's list and in the registry, refusals and faults.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/host_file.h"
#include "platform/win_constants.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

// A record as a network install fills it, written out by hand.
plat::PORT_DATA_1 Record(const std::u16string& name, const std::u16string& host) {
    plat::PORT_DATA_1 d;
    std::memset(&d, 0, sizeof d);
    std::memcpy(d.sztPortName, name.c_str(), (name.size() + 1) * 2);
    std::memcpy(d.sztHostAddress, host.c_str(), (host.size() + 1) * 2);
    std::memcpy(d.sztSNMPCommunity, u"public", 14);
    d.dwVersion = 1;
    d.dwProtocol = 1;
    d.cbSize = 964;
    d.dwDoubleSpool = 1;
    d.dwPortNumber = 9100;
    d.dwSNMPDevIndex = 1;
    return d;
}

struct Xcv {
    explicit Xcv(TempMachine& machine) : m(machine), p(machine.Process(32)) {}

    plat::PrinterSetup& spooler() { return p->printerSetup(); }
    std::uint32_t Last() { return p->lastError().GetLastError(); }

    // Opens the monitor; 0 with the error in `error` when the open fails.
    plat::PrinterHandle Open(const char* name = ",XcvMonitor Standard TCP/IP Port",
                             std::uint32_t access = SERVER_ACCESS_ADMINISTER) {
        plat::PRINTER_DEFAULTSA defaults{nullptr, nullptr, access};
        plat::PrinterHandle h = 0;
        error = spooler().OpenPrinterA(name, h, &defaults) ? 0 : Last();
        return h;
    }
    // "AddPort" with the record: the status, or "call N" when the call itself failed.
    std::string AddPort(plat::PrinterHandle h, const plat::PORT_DATA_1& d,
                        std::uint32_t size = sizeof(plat::PORT_DATA_1)) {
        std::vector<std::uint8_t> in(sizeof d + 1);
        std::memcpy(in.data() + 1, &d, sizeof d);  // deliberately unaligned
        std::uint8_t out[260];
        std::uint32_t needed = 99, status = 99;
        if (!spooler().XcvDataW(h, u"AddPort", in.data() + 1, size, out, sizeof out, needed, status))
            return "call " + std::to_string(Last());
        return std::to_string(status);
    }
    std::vector<std::string> Ports() {
        std::uint32_t needed = 0, returned = 0;
        spooler().EnumPortsA(1, nullptr, 0, needed, returned);
        std::vector<std::uint8_t> buffer(needed);
        EXPECT_TRUE(spooler().EnumPortsA(1, buffer.data(), needed, needed, returned));
        std::vector<std::string> names;
        for (std::uint32_t i = 0; i < returned; ++i) {
            plat::PORT_INFO_1A info;
            std::memcpy(&info, buffer.data() + i * sizeof info, sizeof info);
            names.emplace_back(info.pName);
        }
        return names;
    }
    bool Lists(const std::string& port) {
        for (const std::string& name : Ports())
            if (name == port) return true;
        return false;
    }

    TempMachine& m;
    std::unique_ptr<sim::SimPlatform> p;
    std::uint32_t error = 0;
};

TEST(XcvTcpIpPort, AddPortListsThePortAndKeepsItsValuesWhereWindowsDoes) {
    TempMachine machine;
    Xcv x(machine);
    const plat::PrinterHandle h = x.Open();
    ASSERT_NE(h, 0u) << x.error;
    EXPECT_FALSE(x.Lists("IP_10.0.0.5"));
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.5", u"10.0.0.5")), "0");
    EXPECT_TRUE(x.spooler().ClosePrinter(h));
    // Another process sees the port.
    Xcv other(machine);
    EXPECT_TRUE(other.Lists("IP_10.0.0.5"));

    // The registry file, as Windows keeps the port.
    sim::PrintProvider provider(machine.machine());
    const auto port = provider.FindTcpIpPort("IP_10.0.0.5");
    ASSERT_TRUE(port.has_value());
    EXPECT_EQ(port->protocol, 1u);
    EXPECT_EQ(port->version, 1u);
    EXPECT_EQ(port->hostAddress, "10.0.0.5");
    EXPECT_EQ(port->portNumber, 9100u);
    EXPECT_EQ(port->snmpCommunity, "public");
    EXPECT_FALSE(port->snmpEnabled);
    EXPECT_EQ(port->snmpIndex, 1u);
    EXPECT_TRUE(port->doubleSpool);
    std::string text;
    ASSERT_TRUE(sim::ReadWholeFile(machine.machine().registryFile(), text));
    EXPECT_NE(text.find("\\Monitors\\Standard TCP/IP Port\\Ports\\IP_10.0.0.5]"), std::string::npos);
    EXPECT_NE(text.find("\"IPAddress\"=\"10.0.0.5\""), std::string::npos);
    EXPECT_NE(text.find("\"PortNumber\"=dword:0000238c"), std::string::npos);  // 9100
}

TEST(XcvTcpIpPort, AHostNameIsKeptAsHostName) {
    TempMachine machine;
    Xcv x(machine);
    const plat::PrinterHandle h = x.Open();
    EXPECT_EQ(x.AddPort(h, Record(u"IP_shop-printer", u"shop-printer")), "0");
    std::string text;
    ASSERT_TRUE(sim::ReadWholeFile(machine.machine().registryFile(), text));
    EXPECT_NE(text.find("\"HostName\"=\"shop-printer\""), std::string::npos);
}

TEST(XcvTcpIpPort, ASecondPortOfTheSameNameIsRefusedAsWindowsDoes) {
    TempMachine machine;
    Xcv x(machine);
    const plat::PrinterHandle h = x.Open();
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.5", u"10.0.0.5")), "0");
    // The call succeeds; the monitor's answer is 183 (ERROR_ALREADY_EXISTS), any letter case,
    // and also for a name another monitor offers.
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.5", u"10.0.0.6")), "183");
    EXPECT_EQ(x.AddPort(h, Record(u"ip_10.0.0.5", u"10.0.0.6")), "183");
    EXPECT_EQ(x.AddPort(h, Record(u"LPT1:", u"10.0.0.6")), "183");
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.6", u"10.0.0.6")), "0");
}

TEST(XcvTcpIpPort, BadRecordsAreRefusedWithoutTouchingTheRegistry) {
    TempMachine machine;
    Xcv x(machine);
    const plat::PrinterHandle h = x.Open();
    const plat::PORT_DATA_1 good = Record(u"IP_10.0.0.7", u"10.0.0.7");
    struct Case {
        const char* what;
        plat::PORT_DATA_1 record;
        std::uint32_t size;
    };
    std::vector<Case> cases;
    cases.push_back({"short input", good, 963});
    plat::PORT_DATA_1 d = good;
    d.cbSize = 960;
    cases.push_back({"wrong cbSize", d, 964});
    d = good;
    d.dwVersion = 2;
    cases.push_back({"wrong version", d, 964});
    d = good;
    d.dwProtocol = 3;
    cases.push_back({"unknown protocol", d, 964});
    d = good;
    d.dwProtocol = 2;
    cases.push_back({"LPR without queue", d, 964});
    d = Record(u"", u"10.0.0.7");
    cases.push_back({"empty name", d, 964});
    d = Record(u"IP_10.0.0.7", u"");
    cases.push_back({"no host", d, 964});
    d = Record(u"IP\\10.0.0.7", u"10.0.0.7");
    cases.push_back({"backslash in name", d, 964});
    d = good;
    for (char16_t& c : d.sztPortName) c = u'A';  // no terminator in the array
    cases.push_back({"unterminated name", d, 964});
    d = Record(u"IP_\u00e910", u"10.0.0.7");
    cases.push_back({"not ASCII", d, 964});
    for (const Case& c : cases) EXPECT_EQ(x.AddPort(h, c.record, c.size), "87") << c.what;
    EXPECT_FALSE(x.Lists("IP_10.0.0.7"));
    // The boundary on the other side: the full record goes in.
    EXPECT_EQ(x.AddPort(h, good, 964), "0");
}

TEST(XcvTcpIpPort, OpeningTheMonitorNeedsAdministrationAndAnInstalledMonitor) {
    TempMachine machine;
    Xcv x(machine);
    EXPECT_EQ(x.Open(",XcvMonitor Standard TCP/IP Port", PRINTER_ACCESS_USE), 0u);
    EXPECT_EQ(x.error, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(x.Open(",XcvMonitor No Such Monitor"), 0u);
    EXPECT_EQ(x.error, static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
    EXPECT_NE(x.Open(",xcvmonitor standard tcp/ip port"), 0u);

    // A printer handle is not a monitor's.
    std::uint8_t in[964] = {}, out[260];
    std::uint32_t needed = 0, status = 0;
    EXPECT_FALSE(x.spooler().XcvDataW(0x7777, u"AddPort", in, 964, out, 260, needed, status));
    EXPECT_EQ(x.Last(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
}

TEST(XcvTcpIpPort, AUserWhoIsNotAnAdministratorCannotOpenIt) {
    TempMachine machine;
    sim::MachineSettings s = machine.machine().settings();
    s.administrator = false;
    std::string error;
    ASSERT_TRUE(machine.machine().SaveSettings(s, error)) << error;
    Xcv x(machine);
    EXPECT_EQ(x.Open(), 0u);
    EXPECT_EQ(x.error, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
}

TEST(XcvTcpIpPort, Windows98HasNoSuchMonitor) {
    TempMachine machine("windows-98");
    Xcv x(machine);
    EXPECT_EQ(x.Open(), 0u);
    EXPECT_EQ(x.error, static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
}

TEST(XcvTcpIpPort, FaultsFailTheOpenAndTheCommand) {
    TempMachine machine;
    std::string error;
    ASSERT_TRUE(sim::AddFault(machine.machine(),
                              {"OpenPrinterA", 1722, 1, ",XcvMonitor Standard TCP/IP Port"}, error));
    ASSERT_TRUE(sim::AddFault(machine.machine(), {"XcvDataW", 1450, 1, "Standard TCP/IP Port"}, error));
    Xcv x(machine);
    EXPECT_EQ(x.Open(), 0u);
    EXPECT_EQ(x.error, 1722u);
    const plat::PrinterHandle h = x.Open();
    ASSERT_NE(h, 0u);
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.5", u"10.0.0.5")), "call 1450");
    EXPECT_FALSE(x.Lists("IP_10.0.0.5"));
    EXPECT_EQ(x.AddPort(h, Record(u"IP_10.0.0.5", u"10.0.0.5")), "0");  // fault used up
}

}  // namespace
