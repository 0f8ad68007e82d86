#include "pages/time_of_day.h"

#include <cstdio>

namespace quillon {

namespace {

constexpr std::size_t kMaxTimeChars = 5;  // "hh:mm"
constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<TimeOfDay> check_time_text(std::string_view text)
{
    if (text.size() > kMaxTimeChars)
        return std::nullopt;
    TimeOfDay time;
    bool afterColon = false;
    for (const char c : text) {
        if (c == ':') {
            if (afterColon)
                return std::nullopt;
            afterColon = true;
            continue;
        }
        if (!is_digit(c))
            return std::nullopt;
        int& part = afterColon ? time.minute : time.hour;
        part = part * 10 + (c - '0');
        if (part >= (afterColon ? kMinutesPerHour : kHoursPerDay))
            return std::nullopt;
    }
    return time;
}

std::string format_time_of_day(TimeOfDay time)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    return text;
}

std::string format_date_time(const platform::LocalDateTime& t)
{
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                  t.second);
    return text;
}

} // namespace quillon
