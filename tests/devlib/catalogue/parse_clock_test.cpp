#include <gtest/gtest.h>

#include "record_builder.h"

namespace q30::catalogue {
namespace {

using testing::answer;
using testing::make_record;

// The record's time fields after a read of the morning call time (code 7)
// or the clock (code 8); they start as 01/02/1999 03:04:05.
record::ClockFields time_after(uint32_t code, int32_t op, std::string_view text)
{
    DrvCmd rec = make_record({.port = 11, .op = op});
    record::set_clock_fields(rec, {1, 2, 1999, 3, 4, 5});
    apply_reply(code, answer(text), rec);
    return record::clock_fields(rec);
}

void expect_clock(const record::ClockFields& c, record::ClockFields expected, std::string_view text)
{
    EXPECT_EQ(c.day, expected.day) << text;
    EXPECT_EQ(c.month, expected.month) << text;
    EXPECT_EQ(c.year, expected.year) << text;
    EXPECT_EQ(c.hour, expected.hour) << text;
    EXPECT_EQ(c.minute, expected.minute) << text;
    EXPECT_EQ(c.second, expected.second) << text;
}

TEST(ParseWakeupTime, HourAndMinuteInRange)
{
    expect_clock(time_after(DRV_WAKEUP, OP_QUERY2, "07:30"), {1, 2, 1999, 7, 30, 5}, "07:30");
    expect_clock(time_after(DRV_WAKEUP, OP_QUERY2, "12"), {1, 2, 1999, 12, 0, 5}, "12");
    expect_clock(time_after(DRV_WAKEUP, OP_QUERY2, "23:59"), {1, 2, 1999, 23, 59, 5}, "the last minute of a day");
    expect_clock(time_after(DRV_WAKEUP, OP_QUERY2, "00:00"), {1, 2, 1999, 0, 0, 5}, "midnight");
    for (const char* text : {"24:00", "23:60", "-1:30", "7:-1", "300:00", "99999999999:00"})
        expect_clock(time_after(DRV_WAKEUP, OP_QUERY2, text), {1, 2, 1999, 3, 4, 5}, text);
}

TEST(ParseClock, SixFieldsWithMissingPiecesAsZero)
{
    struct Case { const char* text; record::ClockFields expected; };
    for (const Case& c : {Case{"05/03/2001 07:08:09", {5, 3, 2001, 7, 8, 9}},
                          Case{"31/12/2024 23:59:58", {31, 12, 2024, 23, 59, 58}},
                          Case{"05/03/2001 07:08", {5, 3, 2001, 7, 8, 0}},
                          Case{"05/03/2001", {5, 3, 2001, 0, 0, 0}},
                          Case{"", {0, 0, 0, 0, 0, 0}}})
        expect_clock(time_after(DRV_CLOCK, OP_QUERY2, c.text), c.expected, c.text);
}

TEST(ParseClock, UnsetClockReportsOneWhateverFollows)
{
    for (const char* text : {"--/--/---- --:--:--", "--/03/2001 07:08:09", "--/03/2001 700:08:09"})
        EXPECT_EQ(time_after(DRV_CLOCK, OP_QUERY2, text).year, 1) << text;
}

TEST(ParseClock, PiecesBeyondAByteKeepTheRecord)
{
    for (const char* text : {"05/03/2001 256:08:09", "261/03/2001 07:08:09", "05/-1/2001 07:08:09",
                             "05/03/2001 07:08:99999999999"})
        expect_clock(time_after(DRV_CLOCK, OP_QUERY2, text), {1, 2, 1999, 3, 4, 5}, text);
}

TEST(ParseClock, SetsAreNotParsed)
{
    expect_clock(time_after(DRV_CLOCK, OP_SET2, "05/03/2001 07:08:09"), {1, 2, 1999, 3, 4, 5}, "set");
    expect_clock(time_after(DRV_WAKEUP, OP_SET2, "07:30"), {1, 2, 1999, 3, 4, 5}, "set");
}

} // namespace
} // namespace q30::catalogue
