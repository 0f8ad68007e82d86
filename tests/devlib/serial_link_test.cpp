// The serial link over a real pseudo-terminal with a scripted device.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include <fcntl.h>
#include <thread>
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

// A trace file the link writes to while the object lives in the scope of
// `traceTo`; removed at the end.
class TraceFile {
public:
    TraceFile()
    {
        const int fd = mkstemp(path_);
        EXPECT_GE(fd, 0);
        ::close(fd);
    }
    ~TraceFile() { ::unlink(path_); }
    const char* path() const { return path_; }
    std::string text() const
    {
        std::ifstream in(path_);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }

private:
    char path_[32] = "/tmp/quillon-trace-XXXXXX";
};

TEST(SerialLinkTrace, WritesEveryLineAndReplyEscaped)
{
    TraceFile file;
    {
        testsupport::ScopedEnv traceTo(q30::kTraceVariable, file.path());
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
    const std::string all = file.text();
    EXPECT_NE(all.find("COM3 -> ATI4\\r"), std::string::npos) << all;
    EXPECT_NE(all.find("COM3 <- \\r\\nKLM-230S\\r\\n\\r\\nOK\\r\\n"), std::string::npos) << all;
}

TEST(SerialLinkTrace, EscapesControlCharacters)
{
    EXPECT_EQ(q30::escape_control("A\r\n\b\x01\\&"), "A\\r\\n\\b\\x01\\\\&");
}

TEST_F(LinkFixture, AFinalCodeEndsTheReplyWithoutWaitingForSilence)
{
    open_at(6);  // 30 ms gap
    device.on("ATS95?", {{0ms, "\r\n0,12\r\n\r\nOK\r\n"}, {5ms, "\r\nRING\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("ATS95?\r");
    std::vector<char> buf(256);
    ASSERT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\n0,12\r\n\r\nOK\r\n");
    EXPECT_EQ(link.last_ending(), q30::ReplyEnding::FinalCode);
    EXPECT_FALSE(link.out_of_step());
    EXPECT_EQ(read(), "\r\nRING\r\n") << "what follows the final code is left for a later read";
}

TEST_F(LinkFixture, BurstsBeforeTheFinalCodeMakeOneReply)
{
    open_at(6);
    device.on("ATI3", {{0ms, "\r\n1.3"}, {3ms, ".4\r\n\r\nO"}, {3ms, "K\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("ATI3\r");
    std::vector<char> buf(256);
    ASSERT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\n1.3.4\r\n\r\nOK\r\n");
}

TEST_F(LinkFixture, AReplyWithoutItsFinalCodeEndsAtTheGapAndPutsTheLinkOutOfStep)
{
    open_at(1);
    device.on("ATS95?", {{0ms, "\r\n0,1"}});
    link.set_reply_timeout(300);
    link.write_text("ATS95?\r");
    std::vector<char> buf(256);
    EXPECT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\n0,1");
    EXPECT_EQ(link.last_ending(), q30::ReplyEnding::QuietGap);
    EXPECT_TRUE(link.out_of_step());

    device.on("AT", {{0ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(300);
    link.write_text("AT\r");
    EXPECT_FALSE(link.out_of_step()) << "the line was quiet: the next line went out";
    ASSERT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\nOK\r\n");
}

TEST_F(LinkFixture, InputThatArrivedBeforeALineIsNoPartOfItsAnswer)
{
    open_at(1);
    device.send("\r\nRING\r\n\r\nOK\r\n");
    std::this_thread::sleep_for(50ms);
    device.on("ATS91?", {{0ms, "\r\n1\r\n\r\nOK\r\n"}});
    link.set_reply_timeout(2000);
    link.write_text("ATS91?\r");
    std::vector<char> buf(256);
    ASSERT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\n1\r\n\r\nOK\r\n");
}

TEST_F(LinkFixture, AfterATimeOutALateAnswerIsDroppedBeforeTheNextLine)
{
    open_at(1);
    // The answer comes 100 ms after the time-out, well inside the quiet the
    // next line waits for (another time-out's worth), even on a busy machine.
    device.on("ATS95?", {{400ms, "\r\n0,12\r\n\r\nOK\r\n"}});
    device.on("ATS96?", {{0ms, "\r\nDM\r\n\r\nOK\r\n"}});
    link.set_reply_timeout(300);
    link.write_text("ATS95?\r");
    std::vector<char> buf(256);
    EXPECT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), -2);
    EXPECT_EQ(link.last_ending(), q30::ReplyEnding::TimeOut);
    EXPECT_TRUE(link.out_of_step());

    link.write_text("ATS96?\r");  // the late "0,12" arrives while the line is made quiet
    ASSERT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    EXPECT_STREQ(buf.data(), "\r\nDM\r\n\r\nOK\r\n");
}

TEST_F(LinkFixture, ADeviceThatNeverStopsSendingIsCutOffAtTheBound)
{
    open_at(2);  // a 20 ms gap: a busy test machine must not pass for a quiet line
    link.set_reply_timeout(300);
    device.start_streaming(std::string(64, 'Z'));
    std::vector<char> buf(512);
    const int bound = link.read_bound_ms(buf.size());
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode), 0);
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(link.last_ending(), q30::ReplyEnding::Bound);
    EXPECT_EQ(std::string(buf.data()), std::string(511, 'Z')) << "kept up to the capacity";
    EXPECT_LT(took, std::chrono::milliseconds(bound + 1000));

    // The next line waits for quiet only within a bound of its own, then goes out anyway.
    const int resyncBound = link.resync_bound_ms();
    start = std::chrono::steady_clock::now();
    link.write_text("AT\r");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(resyncBound + 1000));
    device.stop_streaming();
}

TEST_F(LinkFixture, CloseLeavesTheLinkClosedAndALaterOpenClosesNothingElse)
{
    open_at(1);
    link.close();
    EXPECT_FALSE(link.is_open());
    // The descriptor number the link had may now belong to someone else.
    int other = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    FakeDevice second;
    ASSERT_TRUE(link.open(second.path(), 1));
    EXPECT_EQ(fcntl(other, F_GETFD), FD_CLOEXEC) << "a stale descriptor was closed";
    ::close(other);
}

TEST_F(LinkFixture, OpeningAnotherPortReleasesTheOneHeld)
{
    open_at(1);
    FakeDevice second;
    ASSERT_TRUE(link.open(second.path(), 1));
    q30::Trace otherTrace;
    q30::SerialLink other(otherTrace);
    EXPECT_TRUE(other.open(device.path(), 0)) << "the first port is free again";
}

TEST(SerialLinkTrace, ShowsHowRepliesEndedAndWhatWasDropped)
{
    TraceFile file;
    {
        testsupport::ScopedEnv traceTo(q30::kTraceVariable, file.path());
        FakeDevice device;
        device.on("ATS95?", {{0ms, "\r\n0,12\r\n\r\nOK\r\n"}});
        q30::Trace trace;
        q30::SerialLink link(trace);
        ASSERT_TRUE(link.open(device.path(), 0));
        ASSERT_TRUE(link.configure(1));
        char buf[64];
        link.set_reply_timeout(100);
        link.write_text("AT\r");
        link.read_reply(buf, sizeof buf, q30::ReplyEnd::FinalCode);
        device.send("\r\nRING\r\n");
        std::this_thread::sleep_for(50ms);
        link.set_reply_timeout(2000);
        link.write_text("ATS95?\r");
        link.read_reply(buf, sizeof buf, q30::ReplyEnd::FinalCode);
    }
    const std::string all = file.text();
    EXPECT_NE(all.find("no reply (time-out"), std::string::npos) << all;
    EXPECT_NE(all.find("out of step"), std::string::npos) << all;
    EXPECT_NE(all.find("dropped as stale (8 bytes): \\r\\nRING\\r\\n"), std::string::npos) << all;
    EXPECT_NE(all.find("<- \\r\\n0,12\\r\\n\\r\\nOK\\r\\n  [final code]"), std::string::npos) << all;
}
