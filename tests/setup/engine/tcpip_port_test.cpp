// Network ports: the record "AddPort" takes, and creating the port on simulated machines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sim/state/faults.h"
#include "platform/sim/state/print_provider.h"
#include "platform/sim/state/transcript.h"
#include "platform/win_constants.h"
#include "setup/engine/TcpIpPort.h"
#include "tests/support/temp_machine.h"

namespace {

using testsupport::TempMachine;

std::u16string Wide(const char16_t* field) { return std::u16string(field); }

std::vector<std::string> Transcript(const TempMachine& m) {
    return sim::ReadTranscript(m.machine().dir());
}

TEST(TcpIpPortRecord, IsFilledAsTheNetworkInstallNeedsIt) {
    EXPECT_EQ(setup::TcpIpPortName("192.168.1.20"), "IP_192.168.1.20");
    const plat::PORT_DATA_1 d = setup::MakeTcpIpPortData("IP_192.168.1.20", "192.168.1.20");
    EXPECT_EQ(Wide(d.sztPortName), u"IP_192.168.1.20");
    EXPECT_EQ(d.dwVersion, 1u);
    EXPECT_EQ(d.dwProtocol, 1u);
    EXPECT_EQ(d.cbSize, 964u);
    EXPECT_EQ(d.dwReserved, 0u);
    EXPECT_EQ(Wide(d.sztHostAddress), u"192.168.1.20");
    EXPECT_EQ(Wide(d.sztSNMPCommunity), u"public");
    EXPECT_EQ(d.dwDoubleSpool, 1u);
    EXPECT_EQ(d.dwPortNumber, 9100u);
    EXPECT_EQ(d.dwSNMPEnabled, 0u);
    EXPECT_EQ(d.dwSNMPDevIndex, 1u);
    // Everything else is zero: the queue, the IP address text and the reserved bytes.
    for (char16_t c : d.sztQueue) EXPECT_EQ(c, 0);
    for (char16_t c : d.sztIPAddress) EXPECT_EQ(c, 0);
    for (std::uint8_t b : d.Reserved) EXPECT_EQ(b, 0);
    // The port number sits at byte 952 of the record, as the monitor reads it.
    std::uint8_t bytes[964];
    std::memcpy(bytes, &d, sizeof bytes);
    EXPECT_EQ(bytes[952] | bytes[953] << 8, 9100);
}

TEST(TcpIpPortRecord, LongTextsAreCutInsideTheirArrays) {
    const std::string name(100, 'N'), host(100, 'h');
    const plat::PORT_DATA_1 d = setup::MakeTcpIpPortData(name, host);
    EXPECT_EQ(Wide(d.sztPortName), std::u16string(63, u'N'));
    EXPECT_EQ(Wide(d.sztHostAddress), std::u16string(48, u'h'));
    // The field behind each one is untouched.
    EXPECT_EQ(d.dwVersion, 1u);
    EXPECT_EQ(Wide(d.sztSNMPCommunity), u"public");
    // At the boundary: 63 characters fit whole.
    const plat::PORT_DATA_1 fits = setup::MakeTcpIpPortData(std::string(63, 'F'), "h");
    EXPECT_EQ(Wide(fits.sztPortName), std::u16string(63, u'F'));
}

TEST(AddTcpIpPort, CreatesThePortTheSpoolerLists) {
    TempMachine m;
    auto p = m.Process(32);
    EXPECT_TRUE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
    const auto port = sim::PrintProvider(m.machine()).FindTcpIpPort("IP_10.0.0.5");
    ASSERT_TRUE(port.has_value());
    EXPECT_EQ(port->hostAddress, "10.0.0.5");
    EXPECT_EQ(port->portNumber, 9100u);
    bool listed = false;
    for (const sim::SimPort& each : sim::PrintProvider(m.machine()).Ports())
        listed |= each.name == "IP_10.0.0.5" && each.monitor == "Standard TCP/IP Port";
    EXPECT_TRUE(listed);
    for (const std::string& line : Transcript(m)) EXPECT_EQ(line.find("message box"), std::string::npos) << line;
}

TEST(AddTcpIpPort, ASecondTimeShowsTheMonitorsStatusAndFails) {
    TempMachine m;
    auto p = m.Process(32);
    ASSERT_TRUE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
    EXPECT_FALSE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
    const auto lines = Transcript(m);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(),
              "program: message box \"ERROR\" [information icon, OK] \"Cannot create a file when "
              "that file already exists.\" -> OK (default button; no script)");
}

TEST(AddTcpIpPort, AFailedOpenOrCallShowsTheSystemsMessage) {
    struct Case {
        const char* call;
        std::uint32_t error;
        const char* message;
    } cases[] = {
        {"OpenPrinterA", 1722, "The RPC server is unavailable."},
        {"XcvDataW", ERROR_ACCESS_DENIED, "Access is denied."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        TempMachine m;
        std::string error;
        ASSERT_TRUE(sim::AddFault(m.machine(), {c.call, c.error, 1, {}}, error)) << error;
        auto p = m.Process(32);
        EXPECT_FALSE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
        EXPECT_FALSE(sim::PrintProvider(m.machine()).FindTcpIpPort("IP_10.0.0.5").has_value());
        const auto lines = Transcript(m);
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().find(std::string("\"ERROR\" [information icon, OK] \"") + c.message + "\""),
                  std::string::npos)
            << lines.back();
        // The next try, with the fault used up, goes through.
        EXPECT_TRUE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
    }
}

TEST(AddTcpIpPort, AUserWhoIsNotAnAdministratorIsToldAccessIsDenied) {
    TempMachine m;
    sim::MachineSettings s = m.machine().settings();
    s.administrator = false;
    std::string error;
    ASSERT_TRUE(m.machine().SaveSettings(s, error)) << error;
    auto p = m.Process(32);
    EXPECT_FALSE(setup::AddTcpIpPort(*p, 0, "IP_10.0.0.5", "10.0.0.5"));
    EXPECT_NE(Transcript(m).back().find("\"Access is denied.\""), std::string::npos);
}

}  // namespace
