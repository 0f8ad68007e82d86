// The serial link over a real pseudo-terminal with a scripted device.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include "fake_device.h"
#include "serial_link.h"

using namespace std::chrono_literals;
using testsupport::Burst;
using testsupport::FakeDevice;

namespace {

struct LinkFixture : ::testing::Test {
    q30::Trace trace;
    q30::SerialLink link{trace};
    FakeDevice device;

    void open_at(int selector)
    {
        ASSERT_TRUE(link.open(device.path(), 0));
        ASSERT_TRUE(link.configure(selector));
    }
    std::string read(std::size_t cap = 256, int* result = nullptr)
    {
        std::vector<char> buf(cap, 'x');
        int r = link.read_reply(buf.data(), cap);
        if (result)
            *result = r;
        return buf.data();
    }
};

} // namespace

TEST_F(LinkFixture, SelectorsSetBaudRateAndQuietGap)
{
    open_at(6);
    EXPECT_EQ(link.quiet_gap(), 30);
    EXPECT_EQ(device.line_speed(), B19200);
    ASSERT_TRUE(link.configure(2));
    EXPECT_EQ(link.quiet_gap(), 20);
    EXPECT_EQ(device.line_speed(), B57600);
    ASSERT_TRUE(link.configure(1));
    EXPECT_EQ(link.quiet_gap(), 10);
    EXPECT_EQ(device.line_speed(), B115200);
    EXPECT_FALSE(link.configure(3)) << "only selectors 1, 2 and 6 exist";
}

TEST_F(LinkFixture, WritesTheWholeLine)
{
    open_at(1);
    link.write_text("AT!P0#11*0=4711\r");
    ASSERT_TRUE(device.wait_for_lines(1, 2s));
    EXPECT_EQ(device.lines()[0], "AT!P0#11*0=4711");
}

TEST_F(LinkFixture, BurstsCloserThanTheQuietGapFormOneReply)
{
    open_at(6);  // 30 ms gap: 3 ms pauses stay well inside it
    device.on("ATI3", {{0ms, "\r\n1.3"}, {3ms, ".4\r\n"}, {3ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("ATI3\r");
    EXPECT_EQ(read(), "\r\n1.3.4\r\n\r\nOK\r\n");
}

TEST_F(LinkFixture, APauseLongerThanTheQuietGapEndsTheReply)
{
    open_at(1);
    device.on("AT!P24#11=123", {{0ms, "\r\nOK\r\n"}, {300ms, "\r\nNO CARRIER\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("AT!P24#11=123\r");
    EXPECT_EQ(read(), "\r\nOK\r\n");
    EXPECT_EQ(read(), "\r\nNO CARRIER\r\n") << "the rest is the next reply";
}

TEST_F(LinkFixture, SilenceGivesNoReplyAndAnEmptyBuffer)
{
    open_at(1);
    link.set_reply_timeout(100);
    link.write_text("AT\r");
    int result = 0;
    EXPECT_EQ(read(64, &result), "");
    EXPECT_EQ(result, -2);
}

TEST_F(LinkFixture, ALongReplyIsCutAtTheCapacityAndTheRestDropped)
{
    open_at(1);
    std::string longAnswer(1000, 'A');
    device.on("AT\\S0?", {{0ms, longAnswer}});
    device.on("AT", {{0ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("AT\\S0?\r");
    int result = -1;
    EXPECT_EQ(read(16, &result), std::string(15, 'A'));
    EXPECT_EQ(result, 0);
    link.write_text("AT\r");
    EXPECT_EQ(read(), "\r\nOK\r\n") << "nothing of the long reply is left over";
}

TEST_F(LinkFixture, CapacityOneStoresOnlyTheTerminator)
{
    open_at(1);
    device.on("AT", {{0ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("AT\r");
    int result = -1;
    EXPECT_EQ(read(1, &result), "");
    EXPECT_EQ(result, 0) << "a reply arrived even though nothing could be kept";
}

TEST_F(LinkFixture, AHangUpEndsTheWaitAtOnce)
{
    open_at(1);
    link.set_reply_timeout(20000);
    auto start = std::chrono::steady_clock::now();
    std::thread pull([&] {
        std::this_thread::sleep_for(100ms);
        device.hang_up();
    });
    int result = 0;
    read(64, &result);
    pull.join();
    EXPECT_EQ(result, -2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << "must not wait out the reply time-out";
}

TEST_F(LinkFixture, ThePortIsHeldExclusively)
{
    open_at(1);
    q30::Trace otherTrace;
    q30::SerialLink other(otherTrace);
    q30::OpenError why = q30::OpenError::None;
    EXPECT_FALSE(other.open(device.path(), 1, &why));
    EXPECT_EQ(why, q30::OpenError::Busy);
    link.close();
    EXPECT_TRUE(other.open(device.path(), 1)) << "closing releases the port";
}

TEST(SerialLinkOpen, NamesWhyAPortCannotBeOpened)
{
    q30::Trace trace;
    q30::SerialLink link(trace);
    q30::OpenError why = q30::OpenError::None;
    EXPECT_FALSE(link.open(testsupport::kAbsentPort, 0, &why));
    EXPECT_EQ(why, q30::OpenError::NotFound);

    char file[] = "/tmp/quillon-not-a-tty-XXXXXX";
    int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_FALSE(link.open(file, 0, &why));
    EXPECT_EQ(why, q30::OpenError::NotATerminal);
    ::unlink(file);
    EXPECT_FALSE(link.is_open());
}

TEST(SerialLinkTrace, WritesEveryLineAndReplyEscaped)
{
    char file[] = "/tmp/quillon-trace-XXXXXX";
    int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        testsupport::ScopedEnv traceTo(q30::kTraceVariable, file);
        FakeDevice device;
        device.on("ATI4", {{0ms, "\r\nKLM-230S\r\n\r\nOK\r\n"}});
        q30::Trace trace;
        q30::SerialLink link(trace);
        ASSERT_TRUE(link.open(device.path(), 2));
        ASSERT_TRUE(link.configure(1));
        link.set_reply_timeout(2000);
        link.write_text("ATI4\r");
        char buf[64];
        link.read_reply(buf, sizeof buf);
    }
    std::ifstream in(file);
    std::string all((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(all.find("COM3 -> ATI4\\r"), std::string::npos) << all;
    EXPECT_NE(all.find("COM3 <- \\r\\nKLM-230S\\r\\n\\r\\nOK\\r\\n"), std::string::npos) << all;
    ::unlink(file);
}

TEST(SerialLinkTrace, EscapesControlCharacters)
{
    EXPECT_EQ(q30::escape_control("A\r\n\b\x01\\&"), "A\\r\\n\\b\\x01\\\\&");
}
