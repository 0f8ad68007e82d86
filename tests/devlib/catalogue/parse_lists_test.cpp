// Answers handed to the caller's buffer (call lists, charges, line
// information) and the port status columns.
#include <gtest/gtest.h>

#include "record_builder.h"

namespace q30::catalogue {
namespace {

using testing::answer;
using testing::applied;
using testing::make_record;
using testing::read_into_buffer;

const std::string kOutgoingRow = "01.02.01 10:00:00 0301234 00:01:10 0,12 EUR";
const std::string kOutgoingList = answer("Date     Time     Number  Duration Charge Amount \r\n" + kOutgoingRow);

TEST(ParseCallList, TextStartsAfterTheListsHeading)
{
    const auto outgoing = read_into_buffer(DRV_CALL_RECORD, {.port = 11, .index = 0}, kOutgoingList);
    EXPECT_EQ(outgoing.rec.value, 1);
    EXPECT_EQ(outgoing.text, kOutgoingRow + "\r\n\r\nOK\r\n");
    for (int32_t list : {1, 2}) {
        const auto read = read_into_buffer(DRV_CALL_RECORD, {.index = list}, answer("Number  Disc Cause\r\n0301 16"));
        EXPECT_EQ(read.rec.value, 1);
        EXPECT_EQ(read.text, "0301 16\r\n\r\nOK\r\n");
    }
}

TEST(ParseCallList, HeadingWithoutRowsOrNoHeadingIsEmpty)
{
    for (const std::string& reply : {answer("Number  Disc Cause"), answer("no table"), std::string("OK Disc Cause")})
        EXPECT_EQ(read_into_buffer(DRV_CALL_RECORD, {.index = 1, .value = 7}, reply).rec.value, 0) << reply;
}

TEST(ParseCallList, OtherListNumbersAndClearsParseNothing)
{
    for (const testing::Fields& f : {testing::Fields{.index = 3, .value = 7}, testing::Fields{.op = 2, .value = 7}}) {
        const auto read = read_into_buffer(DRV_CALL_RECORD, f, kOutgoingList);
        EXPECT_EQ(read.rec.value, 7);
        EXPECT_FALSE(read.written);
    }
}

TEST(ParseCharges, CountersHandOverTheirText)
{
    const std::string perPort = answer("Charge:  P11: 1,230 EUR\r\nATA: 0,00 EUR");
    EXPECT_EQ(read_into_buffer(DRV_CHARGES, {.index = 2}, perPort).text, "P11: 1,230 EUR\r\nATA: 0,00 EUR\r\n\r\nOK\r\n");
    EXPECT_EQ(read_into_buffer(DRV_CHARGES, {.index = 0}, answer("P11: 1,23")).text, "");  // no "Charge:"
    EXPECT_EQ(read_into_buffer(DRV_CHARGES, {.index = 3}, answer("12,345 EUR\r\nmore")).text, "12,345 EUR");
    EXPECT_FALSE(read_into_buffer(DRV_CHARGES, {.index = 1}, testing::rejected("Charge:  1,00")).written);
    EXPECT_FALSE(read_into_buffer(DRV_CHARGES, {.index = 3, .op = 2}, answer("Charge:  1,00")).written);
}

TEST(ParseLineInfo, NumbersOfTheFirstLine)
{
    EXPECT_EQ(applied(DRV_ISDN_C1, {.op = 2}, answer("3")).value, 3);
    EXPECT_EQ(applied(DRV_ISDN_S71, {}, answer(" 16")).value, 16);
    EXPECT_EQ(applied(DRV_P25, {}, answer("4")).value, 4);
    EXPECT_EQ(applied(DRV_P25, {.op = 1, .value = 9}, answer("4")).value, 9);
}

TEST(ParseInfoText, CutAtBackspaceWithAmpersandsDoubledAndNoOkNeeded)
{
    const auto read = read_into_buffer(DRV_ISDN_S0, {}, "\r\nAT&F reset\r\nA&B\bhidden\r\nOK\r\n");
    EXPECT_EQ(read.text, "AT&&F reset\r\nA&&B");
    const auto withoutOk = read_into_buffer(DRV_ISDN_S1, {}, "\r\nlayer 2 down");
    EXPECT_EQ(withoutOk.rec.ok, 1);
    EXPECT_EQ(withoutOk.text, "layer 2 down");
    // Room for three characters: the doubled "&" is left out, not split.
    EXPECT_EQ(read_into_buffer(DRV_ISDN_S0, {}, "\r\nab&c", 4).text, "ab");
}

TEST(CallerBufferBounds, LongAnswerIsCutAndTerminated)
{
    for (int32_t size : {1, 2, 37}) {
        const auto read = read_into_buffer(DRV_CALL_RECORD, {.index = 0}, kOutgoingList, size);
        EXPECT_EQ(read.text, kOutgoingRow.substr(0, static_cast<std::size_t>(size) - 1));
        EXPECT_TRUE(read.written);
    }
}

TEST(CallerBufferBounds, MissingBufferIsNeverWritten)
{
    DrvCmd rec = make_record({.index = 0});
    record::set_caller_buffer(rec, nullptr, 960);
    apply_reply(DRV_CALL_RECORD, kOutgoingList, rec);  // must not crash
    EXPECT_EQ(rec.value, 1);

    char guard = '#';
    record::set_caller_buffer(rec, &guard, -5);
    apply_reply(DRV_ISDN_S0, answer("text"), rec);
    EXPECT_EQ(guard, '#');
}

// One line per analogue port: 16 characters, the state last, then CR LF.
std::string status_line(int port, char state) { return "Port " + std::to_string(port) + " state  " + state + "\r\n"; }

TEST(ParsePortStatus, FixedColumns)
{
    const std::string reply = "\r\n" + status_line(11, '1') + status_line(21, '0') + status_line(22, '1') +
                              status_line(31, '0') + status_line(32, '1') + "\r\nOK\r\n";
    const DrvCmd rec = applied(DRV_PORT_STATUS, {}, reply);
    for (int port = 0; port < record::kPortFlagCount; ++port)
        EXPECT_EQ(record::port_flag(rec, port), port % 2 == 0 ? 1 : 0) << port;
}

TEST(ParsePortStatus, AStateCountsOnlyWithTheCharacterAfterIt)
{
    // "OK" first, so the answer starts right at the port's 16-character line.
    const std::string line = status_line(11, '1').substr(0, 16);
    DrvCmd rec = make_record({});
    record::set_port_flag(rec, 0, 7);
    apply_reply(DRV_PORT_STATUS, "OK" + line, rec);
    EXPECT_EQ(record::port_flag(rec, 0), 0);
    apply_reply(DRV_PORT_STATUS, "OK" + line + "\r", rec);
    EXPECT_EQ(record::port_flag(rec, 0), 1);
}

} // namespace
} // namespace q30::catalogue
