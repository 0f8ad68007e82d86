// The link latency a user sets for a port carried over a network: which
// values count, what a bad one does, and that the serial link then waits
// long enough for a late or split answer.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "fake_device.h"
#include "link_latency.h"
#include "serial_link.h"

using namespace std::chrono_literals;
using testsupport::FakeDevice;
using testsupport::ScopedEnv;

TEST(LinkLatencyValue, OnlyWholeMillisecondsInRangeCount)
{
    EXPECT_EQ(q30::parse_link_latency("0"), 0);
    EXPECT_EQ(q30::parse_link_latency("250"), 250);
    EXPECT_EQ(q30::parse_link_latency("0100"), 100);
    EXPECT_EQ(q30::parse_link_latency("10000"), q30::kMaxLinkLatencyMs);

    for (const char* bad : {"", "10001", "99999999999999999999999", "-5", "+5", " 5", "5 ", "5ms", "1.5", "0x10",
                            "abc"})
        EXPECT_EQ(q30::parse_link_latency(bad), std::nullopt) << '"' << bad << '"';
}

TEST(LinkLatencyValue, ABadValueIsIgnoredAndSaidOnceOnStandardError)
{
    {
        ScopedEnv unset(q30::kLinkLatencyVariable, "");
        const q30::LinkLatency none = q30::link_latency_from_environment();
        EXPECT_EQ(none.ms, 0);
        EXPECT_TRUE(none.problem.empty());
    }

    ScopedEnv bad(q30::kLinkLatencyVariable, "fast\x1b[2J");
    testing::internal::CaptureStderr();
    const q30::LinkLatency first = q30::link_latency_from_environment();
    const q30::LinkLatency again = q30::link_latency_from_environment();
    const std::string said = testing::internal::GetCapturedStderr();

    EXPECT_EQ(first.ms, 0);
    EXPECT_EQ(again.ms, 0);
    EXPECT_NE(first.problem.find("Q30COM32_LINK_LATENCY_MS=\"fast\\x1B[2J\" ignored"), std::string::npos)
        << first.problem << ": the value is shown with its control characters escaped";
    EXPECT_EQ(said, "Q30COM32: " + first.problem + "\n") << "said once, not at every port opened";
}

namespace {

struct LatencyOnLink : ::testing::Test {
    FakeDevice device;
    q30::Trace trace;
    q30::SerialLink link{trace};

    void open_with(const std::string& latency)
    {
        ScopedEnv set(q30::kLinkLatencyVariable, latency);
        testing::internal::CaptureStderr();  // a bad value's note is not this test's business
        ASSERT_TRUE(link.open(device.path(), 0));
        testing::internal::GetCapturedStderr();
        ASSERT_TRUE(link.configure(1));  // 115200 bit/s: a 10 ms quiet gap of its own
    }
    std::string read(int* result = nullptr)
    {
        std::vector<char> buf(256, 'x');
        const int r = link.read_reply(buf.data(), buf.size(), q30::ReplyEnd::FinalCode);
        if (result)
            *result = r;
        return buf.data();
    }
};

} // namespace

TEST_F(LatencyOnLink, AnAnswerSplitByTheNetworkStaysOneReply)
{
    open_with("150");
    EXPECT_EQ(link.quiet_gap(), 10 + 150);
    device.on("ATI3", {{0ms, "\r\n1.3"}, {60ms, ".4\r\n"}, {60ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(300);
    link.write_text("ATI3\r");
    EXPECT_EQ(read(), "\r\n1.3.4\r\n\r\nOK\r\n");
    EXPECT_EQ(link.last_ending(), q30::ReplyEnding::FinalCode);
    EXPECT_FALSE(link.out_of_step());
}

TEST_F(LatencyOnLink, AnAnswerLaterThanTheCommandsTimeOutStillCounts)
{
    open_with("300");
    device.on("AT", {{200ms, "\r\nOK\r\n"}});
    link.set_reply_timeout(100);
    EXPECT_EQ(link.reply_timeout(), 100 + 300);
    link.write_text("AT\r");
    int result = -1;
    EXPECT_EQ(read(&result), "\r\nOK\r\n");
    EXPECT_EQ(result, 0);
}

TEST_F(LatencyOnLink, ABadValueLeavesTheUsualTiming)
{
    open_with("lots");
    EXPECT_EQ(link.quiet_gap(), 10);
    link.set_reply_timeout(300);
    EXPECT_EQ(link.reply_timeout(), 300);
}

TEST_F(LatencyOnLink, TheValueIsTakenAtOpenAndKeptUntilTheNextOpen)
{
    open_with("40");
    {
        ScopedEnv changed(q30::kLinkLatencyVariable, "400");
        link.set_reply_timeout(300);
        EXPECT_EQ(link.reply_timeout(), 340) << "an open port keeps the latency it was opened with";
    }
    open_with("0");
    EXPECT_EQ(link.quiet_gap(), 10);
    link.set_reply_timeout(300);
    EXPECT_EQ(link.reply_timeout(), 300);
}
