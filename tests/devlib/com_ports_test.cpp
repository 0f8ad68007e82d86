// The public port mapping and probe, as the program and the CLI use them.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "fake_device.h"
#include "q30com32/com_ports.h"
#include "q30com32/port_open.h"
#include "q30com32/port_probe.h"

using testsupport::ComPorts;
using testsupport::FakeDevice;
using testsupport::ScopedEnv;

TEST(ComPorts, TheVariableNamesThePathElseTheBuiltInOne)
{
    EXPECT_EQ(q30::com_variable(0), "Q30COM32_COM1");
    EXPECT_EQ(q30::com_path(-1), "");
    EXPECT_EQ(q30::com_path(q30::kComPortCount), "");
    {
        ScopedEnv set("Q30COM32_COM8", "/tmp/q30-com8");
        EXPECT_EQ(q30::com_path(7), "/tmp/q30-com8");
        EXPECT_TRUE(q30::com_path_from_environment(7));
    }
    ScopedEnv empty("Q30COM32_COM8", "");
    EXPECT_EQ(q30::com_path(7), q30::default_com_path(7)) << "an empty value counts as unset";
}

TEST(PortProbe, TellsAFreePortFromAMissingABusyAndANonSerialOne)
{
    FakeDevice free;
    FakeDevice held;
    ComPorts ports({{1, free.path()}, {3, held.path()}, {4, "/dev/null"}});
    int holder = ::open(held.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);

    const std::vector<q30::PortReport> reports = q30::probe_com_ports();
    ASSERT_EQ(reports.size(), static_cast<std::size_t>(q30::kComPortCount));
    EXPECT_EQ(reports[0].comNumber, 1);
    EXPECT_EQ(reports[0].path, free.path());
    EXPECT_TRUE(reports[0].fromEnvironment);
    EXPECT_EQ(reports[0].state, q30::PortState::Free);
    EXPECT_EQ(reports[1].state, q30::PortState::NotPresent);
    EXPECT_EQ(reports[2].state, q30::PortState::Busy);
    EXPECT_EQ(q30::port_state_text(reports[2]), "held by another program");
    EXPECT_EQ(reports[3].state, q30::PortState::NotATerminal);
    ::close(holder);

    // The probe let go of the free port again.
    const int fd = q30::open_serial_port(free.path());
    EXPECT_GE(fd, 0);
    q30::close_serial_port(fd);
}

TEST(PortProbe, APermissionProblemNamesTheNodesGroup)
{
    q30::PortReport report;
    report.state = q30::PortState::PermissionDenied;
    report.group = "dialout";
    EXPECT_EQ(q30::port_state_text(report), "permission denied (the node belongs to group dialout)");
    report.group.clear();
    EXPECT_EQ(q30::port_state_text(report), "permission denied");
}
