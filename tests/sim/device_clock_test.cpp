// The device clock: unset until set, then running on with the time the device is given.
#include <gtest/gtest.h>

#include <regex>

#include "device_harness.h"

namespace q30sim::testing {
namespace {

using namespace std::chrono_literals;

TEST(DeviceClock, UnsetClockReadsDashesUntilSetThenRunsOn)
{
    DeviceHarness h({.clockUnset = true});
    EXPECT_EQ(h.value("AT!T?"), "--/--/---- --:--:--");
    h.advance(5s);
    EXPECT_EQ(h.value("AT!T?"), "--/--/---- --:--:--");

    ASSERT_TRUE(h.accepted("AT!T=05/03/2001 07:08:09"));
    EXPECT_EQ(h.value("AT!T?"), "05/03/2001 07:08:09");
    h.advance(61s);
    EXPECT_EQ(h.value("AT!T?"), "05/03/2001 07:09:10");
    EXPECT_TRUE(h.device.clock_set());
}

TEST(DeviceClock, RunsAcrossMidnightAndLeapDays)
{
    DeviceHarness h({.clockUnset = true});
    ASSERT_TRUE(h.accepted("AT!T=31/12/2001 23:59:59"));
    h.advance(2s);
    EXPECT_EQ(h.value("AT!T?"), "01/01/2002 00:00:01");
    ASSERT_TRUE(h.accepted("AT!T=28/02/2004 23:59:59"));
    h.advance(1s);
    EXPECT_EQ(h.value("AT!T?"), "29/02/2004 00:00:00");
}

TEST(DeviceClock, RefusesImpossibleDatesAndTimes)
{
    DeviceHarness h({.clockUnset = true});
    for (const char* line : {"AT!T=31/02/2001 00:00:00", "AT!T=29/02/2001 00:00:00", "AT!T=05/13/2001 07:08:09",
                             "AT!T=05/03/2001 24:00:00", "AT!T=05/03/2001 07:60:00", "AT!T=5/3/2001 07:08:09",
                             "AT!T=05/03/2001", "AT!T=", "AT!T"}) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(h.refused(line));
    }
    EXPECT_FALSE(h.device.clock_set());
}

TEST(DeviceClock, StartsFromTheHostTimeUnlessToldOtherwise)
{
    DeviceHarness h;
    EXPECT_TRUE(std::regex_match(h.value("AT!T?"), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d)")));
}

} // namespace
} // namespace q30sim::testing
