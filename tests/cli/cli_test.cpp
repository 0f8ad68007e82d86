// quillon-cli as a user runs it: the emulated device, an empty machine, the
// port listing and single commands.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fake_device.h"

namespace {

struct CliRun {
    int status;
    std::string output;
};

// Runs quillon-cli with the arguments; standard error is captured too.
CliRun run_cli(const std::string& args)
{
    std::string command = std::string(QUILLON_CLI) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    CliRun r{-1, ""};
    if (!pipe)
        return r;
    std::array<char, 512> buf;
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe))
        r.output.append(buf.data(), n);
    int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST(Cli, FindsEachEmulatedModel)
{
    testsupport::ComPorts none;
    CliRun q30 = run_cli("--demo find");
    EXPECT_EQ(q30.status, 0) << q30.output;
    EXPECT_TRUE(has(q30.output, "Device found on COM1 (/dev/pts/")) << q30.output;
    EXPECT_TRUE(has(q30.output, "model:      Q30\n")) << q30.output;
    EXPECT_TRUE(has(q30.output, "firmware:   1.3.4")) << q30.output;
    EXPECT_TRUE(has(q30.output, "boot code:  1.02")) << q30.output;

    CliRun usb = run_cli("--demo q30-usb find");
    EXPECT_TRUE(has(usb.output, "model:      Q30-USB")) << usb.output;
    EXPECT_TRUE(has(usb.output, "USB:        yes")) << usb.output;

    CliRun q20 = run_cli("--demo q20 find");
    EXPECT_TRUE(has(q20.output, "model:      Q20")) << q20.output;
}

TEST(Cli, SaysSoWhenNoDeviceAnswers)
{
    testsupport::ComPorts none;
    CliRun r = run_cli("find");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r.output, "no device answered on COM1..COM8")) << r.output;
    EXPECT_TRUE(has(r.output, "quillon-cli ports")) << r.output;
}

TEST(Cli, EveryCommandShowsItsUsageForHelpWithoutTouchingAPort)
{
    testsupport::ComPorts none;
    for (const char* command : {"find", "ports", "raw", "show", "backup", "restore", "diff", "verify", "upgrade"}) {
        for (const char* help : {"--help", "-h"}) {
            SCOPED_TRACE(std::string(command) + " " + help);
            CliRun r = run_cli(std::string(command) + " " + help);
            EXPECT_EQ(r.status, 0) << r.output;
            EXPECT_EQ(r.output.rfind("usage: quillon-cli " + std::string(command), 0), 0u) << r.output;
            EXPECT_FALSE(has(r.output, "Searching") || has(r.output, "no device answered")) << r.output;
        }
    }
    CliRun wrong = run_cli("find extra");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(has(wrong.output, "usage: quillon-cli find")) << wrong.output;
}

TEST(Cli, PortsNamesWhatStandsBehindEachComPort)
{
    testsupport::FakeDevice device;
    testsupport::FakeDevice held;
    testsupport::ComPorts ports({{2, device.path()}, {3, "/dev/null"}, {4, held.path()}});
    int holder = ::open(held.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    CliRun r = run_cli("ports");
    ::close(holder);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.output, "COM1  " + std::string(testsupport::kAbsentPort))) << r.output;
    EXPECT_TRUE(has(r.output, "not present")) << r.output;
    EXPECT_TRUE(has(r.output, "COM2  " + device.path())) << r.output;
    EXPECT_TRUE(has(r.output, "free")) << r.output;
    EXPECT_TRUE(has(r.output, "not a serial port")) << r.output;
    EXPECT_TRUE(has(r.output, "COM4  " + held.path())) << r.output;
    EXPECT_TRUE(has(r.output, "held by another program")) << r.output;
    EXPECT_FALSE(has(r.output, "udev")) << "no USB adapter, no rule: " << r.output;
}

TEST(Cli, RawSendsOneCommandAndShowsTheRecord)
{
    testsupport::ComPorts none;
    CliRun r = run_cli("--demo raw DRV_MSN --port 11 --index 0 --op 1 --str 4711");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(has(r.output, "sent:     \"AT!P0#11*0=4711\"")) << r.output;
    EXPECT_TRUE(has(r.output, "result:   0")) << r.output;
    EXPECT_TRUE(has(r.output, "ok:       1")) << r.output;

    CliRun bad = run_cli("raw NO_SUCH_COMMAND");
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(has(bad.output, "unknown command")) << bad.output;
}
