// Call lists, charges, port status, help texts and dialling back, checked
// against the way the library cuts them out of the reply.
#include <gtest/gtest.h>

#include <regex>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

using namespace std::chrono_literals;

// The text the library hands on: from `skip` characters after the heading to the end.
std::string after_heading(const std::string& reply, const std::string& heading, std::size_t skip)
{
    auto at = reply.find(heading);
    if (at == std::string::npos || at + skip > reply.size())
        return "<no heading>";
    return reply.substr(at + skip);
}

TEST(DeviceRecords, EmptyListHasHeadingFollowedByAnEmptyLine)
{
    DeviceHarness h;
    std::string reply = h.send("AT\\H0?");
    EXPECT_EQ(after_heading(reply, "Charge Amount", 16), "\r\n\r\nOK\r\n");
    reply = h.send("AT!P3#21*1?");
    EXPECT_EQ(after_heading(reply, "Disc Cause", 12), "\r\n\r\nOK\r\n");
}

TEST(DeviceRecords, ListRowsStartRightAfterTheHeadingNewestFirst)
{
    DeviceHarness h({.seed = true});
    std::string outgoing = after_heading(h.send("AT!P3#11*0?"), "Charge Amount", 16);
    std::regex row(R"(\d\d/\d\d/\d\d \d\d:\d\d \S+ \d\d:\d\d:\d\d \d+,\d{3} DM)");
    auto lines = verbose_answer("\r\n" + outgoing);
    ASSERT_TRUE(lines);
    ASSERT_GE(lines->size(), 3u);
    EXPECT_EQ(lines->back(), ""); // the list ends with an empty line
    for (std::size_t i = 0; i + 1 < lines->size(); ++i)
        EXPECT_TRUE(std::regex_match((*lines)[i], row)) << (*lines)[i];
    EXPECT_TRUE((*lines)[0].starts_with("05/03/01")) << (*lines)[0];

    std::string incoming = after_heading(h.send("AT!P3#11*1?"), "Disc Cause", 12);
    EXPECT_NE(incoming.find(" NO ID "), std::string::npos) << incoming;
    EXPECT_TRUE(std::regex_search(incoming, std::regex(R"(^\d\d/\d\d/\d\d \d\d:\d\d (NO ID|\S+) \d\d:\d\d:\d\d \d+\r\n)")))
        << incoming;
}

TEST(DeviceRecords, ClearingEmptiesOneListOrAllThree)
{
    DeviceHarness h({.seed = true});
    ASSERT_TRUE(h.accepted("AT!P23#11*1"));
    EXPECT_TRUE(h.device.call_log().entries(11, CallList::Incoming).empty());
    EXPECT_FALSE(h.device.call_log().entries(11, CallList::Outgoing).empty());
    ASSERT_TRUE(h.accepted("AT!P23#11*3"));
    EXPECT_TRUE(h.device.call_log().entries(11, CallList::Outgoing).empty());
    EXPECT_FALSE(h.device.call_log().entries(21, CallList::Outgoing).empty());

    ASSERT_TRUE(h.accepted("AT\\H1="));
    EXPECT_TRUE(h.device.call_log().entries(kDataPort, CallList::Incoming).empty());
    EXPECT_FALSE(h.device.call_log().entries(kDataPort, CallList::Outgoing).empty());
    EXPECT_TRUE(h.refused("AT\\H3?"));
    EXPECT_TRUE(h.refused("AT!P23#11*0?"));
}

TEST(DeviceRecords, ListKeepsTheTenNewestCalls)
{
    CallLog log(Model::Q30);
    for (int i = 0; i < 12; ++i)
        log.add(11, CallList::Outgoing, {i, std::to_string(i), 0, 0, 0});
    const auto& calls = log.entries(11, CallList::Outgoing);
    ASSERT_EQ(calls.size(), CallLog::kMaxEntries);
    EXPECT_EQ(calls.front().number, "11");
    EXPECT_EQ(calls.back().number, "2");
}

TEST(DeviceRecords, ChargeCountersListEveryPortOfTheModel)
{
    DeviceHarness q30({.seed = true});
    auto lines = q30.answer("AT\\X2?");
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 7u);
    EXPECT_TRUE(lines->front().ends_with("Charge:"));
    const char* labels[] = {"P11: ", "P21: ", "P22: ", "P31: ", "P32: ", "ATA: "};
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE((*lines)[i + 1].starts_with(labels[i])) << (*lines)[i + 1];
        EXPECT_TRUE(std::regex_match((*lines)[i + 1].substr(5), std::regex(R"(\d+,\d{3} DM)"))) << (*lines)[i + 1];
    }
    // The library's cut: nine characters after "Charge:" the first port's line begins.
    EXPECT_TRUE(after_heading(q30.send("AT\\X1?"), "Charge:", 9).starts_with("P11: "));
    EXPECT_TRUE(std::regex_match(q30.value("AT!P27?"), std::regex(R"(\d+,\d{3} DM)")));

    DeviceHarness q20({.model = Model::Q20});
    auto small = q20.answer("AT\\X3?");
    ASSERT_TRUE(small);
    EXPECT_EQ(*small, (std::vector<std::string>{"Current Connection Charge:", "P11: 0,000 DM", "P21: 0,000 DM",
                                                "P22: 0,000 DM", "ATA: 0,000 DM"}));
}

TEST(DeviceRecords, ResetsClearTheirCounterOnly)
{
    DeviceHarness h({.seed = true});
    ASSERT_TRUE(h.accepted("AT!P5#21"));
    ASSERT_TRUE(h.accepted("AT\\Y"));
    EXPECT_EQ(h.device.charges().get(21, Counter::Sum), 0);
    EXPECT_EQ(h.device.charges().get(kDataPort, Counter::Sum), 0);
    EXPECT_NE(h.device.charges().get(11, Counter::Sum), 0);
    EXPECT_NE(h.device.charges().get(21, Counter::LastCall), 0);
    EXPECT_NE(h.device.charges().total(), 0);
    ASSERT_TRUE(h.accepted("AT!P28"));
    EXPECT_EQ(h.value("AT!P27?"), "0,000 DM");
}

TEST(DeviceRecords, PortStatusLinesAreSixteenCharactersWithTheStateLast)
{
    DeviceHarness h({.callInProgress = true});
    std::string reply = h.send("AT!P14#0?");
    std::string t = reply.substr(2);
    // The library's columns: 15, 33, 51, 69, 87.
    ASSERT_GE(t.size(), 89u);
    EXPECT_EQ(t[15], '1');
    for (std::size_t column : {33u, 51u, 69u, 87u})
        EXPECT_EQ(t[column], '0') << column;
    auto lines = verbose_answer(reply);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 5u);
    for (const auto& line : *lines)
        EXPECT_EQ(line.size(), 16u);
    EXPECT_EQ(DeviceHarness({.model = Model::Q20}).answer("AT!P14#0?")->size(), 3u);
    EXPECT_TRUE(h.refused("AT!P14#11?"));
}

TEST(DeviceRecords, HelpTextsContainAmpersandAndEndWithBackspace)
{
    DeviceHarness h;
    for (const char* line : {"AT\\S0?", "AT\\S1?"}) {
        SCOPED_TRACE(line);
        std::string reply = h.send(line);
        auto backspace = reply.find('\b');
        ASSERT_NE(backspace, std::string::npos);
        EXPECT_NE(reply.substr(0, backspace).find('&'), std::string::npos);
        EXPECT_GT(std::count(reply.begin(), reply.begin() + static_cast<long>(backspace), '\n'), 3);
        EXPECT_EQ(reply.substr(backspace + 1), "\r\n\r\nOK\r\n");
    }
}

TEST(DeviceRecords, LineStateAndLastCause)
{
    DeviceHarness h;
    EXPECT_EQ(h.value("AT!C1?"), "3");
    EXPECT_EQ(h.value("ATS71?"), "0");
    EXPECT_TRUE(h.refused("AT!C1=1"));
}

TEST(DeviceRecords, DialBackAnswersTwiceAndRecordsTheCall)
{
    DeviceHarness h({.clockUnset = true});
    ASSERT_TRUE(h.accepted("AT!T=05/03/2001 07:08:09"));
    EXPECT_TRUE(h.accepted("AT!P24#21=0301234"));
    EXPECT_EQ(h.value("ATC?"), "1");
    EXPECT_EQ(h.send("AT!P14#0?").substr(2)[33], '1');
    EXPECT_TRUE(h.refused("AT!P24#11=089")); // one call at a time
    EXPECT_EQ(h.advance(500ms), "");
    ASSERT_TRUE(h.device.next_deadline());
    EXPECT_LE(*h.device.next_deadline(), h.now + 2s);
    EXPECT_EQ(h.advance(1500ms), "\r\nNO CARRIER\r\n");

    EXPECT_EQ(h.value("ATC?"), "0");
    EXPECT_EQ(h.value("ATS71?"), "16");
    const auto& calls = h.device.call_log().entries(21, CallList::Outgoing);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.front().number, "0301234");
    EXPECT_TRUE(after_heading(h.send("AT!P3#21*0?"), "Charge Amount", 16).starts_with("05/03/01 07:08 0301234 "));
    EXPECT_EQ(h.device.charges().get(21, Counter::LastCall), 120); // one unit of "0,12"
    EXPECT_TRUE(h.value("AT!P26#21?").starts_with("05/03/01 07:08 0301234"));

    EXPECT_TRUE(h.accepted("AT!P24#0=0301234"));
    h.advance(2s);
    EXPECT_EQ(h.device.call_log().entries(kDataPort, CallList::Outgoing).size(), 1u);
    EXPECT_FALSE(h.value("ATS99?").empty());
    EXPECT_TRUE(h.refused("AT!P24#21="));
    EXPECT_TRUE(h.refused("AT!P24#21=No ID"));
}

} // namespace
} // namespace q30sim::testing
