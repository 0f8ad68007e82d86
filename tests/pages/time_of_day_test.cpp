// The morning call's time check, and the computer's clock as the platform
// layer gives it to the timer page.
#include <gtest/gtest.h>

#include "pages/time_of_day.h"
#include "platform/headless_backend.h"
#include "platform/ui.h"

using namespace quillon;

namespace {

TEST(TimeText, AcceptsWhatIsOrCanStillBecomeATime)
{
    const std::vector<std::pair<std::string, TimeOfDay>> good = {
        {"", {0, 0}},      {"7", {7, 0}},      {"07", {7, 0}},   {"7:", {7, 0}},   {"7:5", {7, 5}},
        {"8:05", {8, 5}},  {"23:59", {23, 59}}, {"0023", {23, 0}}, {":30", {0, 30}}, {"00:00", {0, 0}},
    };
    for (const auto& [text, time] : good) {
        const auto found = check_time_text(text);
        ASSERT_TRUE(found.has_value()) << '"' << text << '"';
        EXPECT_EQ(*found, time) << '"' << text << '"';
    }
}

TEST(TimeText, RefusesAnythingThatCanNoLongerBecomeATime)
{
    for (const char* bad : {"24", "24:00", "12:60", "1:2:3", "123", "123456", "07:300", "12:3a", " 7", "7 ",
                            "-1", "1.5", "7::", "\t", "\xc3\xa9"})
        EXPECT_FALSE(check_time_text(bad).has_value()) << '"' << bad << '"';
}

TEST(TimeText, IsWrittenOutWithTwoDigitsEach)
{
    EXPECT_EQ(format_time_of_day({8, 5}), "08:05");
    EXPECT_EQ(format_time_of_day({23, 59}), "23:59");
    EXPECT_EQ(format_time_of_day(*check_time_text("")), "00:00");
}

TEST(LocalTime, RunsOnWithThePlatformClockAcrossDaysMonthsAndLeapYears)
{
    resources::Resources res;
    platform::HeadlessBackend backend;
    platform::Ui ui(backend, res);
    backend.advance(1234);  // the platform clock need not stand at zero
    backend.set_local_time({2004, 2, 28, 23, 59, 30});
    EXPECT_EQ(format_date_time(backend.local_time()), "28/02/2004 23:59:30");
    backend.advance(999);
    EXPECT_EQ(backend.local_time().second, 30) << "whole seconds only";
    backend.advance(45'000);
    EXPECT_EQ(format_date_time(backend.local_time()), "29/02/2004 00:00:15");
    backend.advance(86'400'000);
    EXPECT_EQ(format_date_time(backend.local_time()), "01/03/2004 00:00:15");

    backend.set_local_time({2001, 12, 31, 23, 59, 59});
    backend.advance(1000);
    EXPECT_EQ(format_date_time(backend.local_time()), "01/01/2002 00:00:00");
}

TEST(LocalTime, TheSystemClockGivesAPlausibleLocalTime)
{
    const platform::LocalDateTime now = platform::HeadlessBackend().local_time();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);
    EXPECT_TRUE(now.hour < 24 && now.minute < 60 && now.second <= 60);
}

} // namespace
