#include "device_clock.h"

#include <cstdio>
#include <ctime>

#include "value_checks.h"

namespace q30sim {

namespace {

using namespace std::chrono;

constexpr int kMinClockYear = 1980;
constexpr int kMaxClockYear = 2099;
constexpr CivilSeconds kSecondsPerDay = 86400;
constexpr std::size_t kClockTextLength = 19; // dd/mm/yyyy hh:mm:ss

std::optional<int> field(std::string_view text, std::size_t at, std::size_t length)
{
    return decimal_value(text.substr(at, length));
}

} // namespace

CivilSeconds to_civil_seconds(const CivilTime& t)
{
    auto days = sys_days(year_month_day(year(t.year), month(static_cast<unsigned>(t.month)),
                                        day(static_cast<unsigned>(t.day))));
    return static_cast<CivilSeconds>(days.time_since_epoch().count()) * kSecondsPerDay + t.hour * 3600 + t.minute * 60
           + t.second;
}

CivilTime to_civil_time(CivilSeconds s)
{
    CivilSeconds dayCount = s / kSecondsPerDay;
    CivilSeconds rest = s % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --dayCount;
    }
    year_month_day ymd{sys_days(days(dayCount))};
    CivilTime t;
    t.year = static_cast<int>(ymd.year());
    t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

CivilSeconds host_local_now()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return to_civil_seconds(
        {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec});
}

void DeviceClock::start(CivilSeconds start, TimePoint now, bool isSet)
{
    base_ = start;
    anchor_ = now;
    set_ = isSet;
}

void DeviceClock::set(CivilSeconds value, TimePoint now)
{
    start(value, now, true);
}

CivilSeconds DeviceClock::read(TimePoint now) const
{
    auto elapsed = duration_cast<seconds>(now - anchor_).count();
    return base_ + (elapsed > 0 ? elapsed : 0);
}

std::string format_clock(CivilSeconds s)
{
    CivilTime t = to_civil_time(s);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                  t.second);
    return buf;
}

std::optional<CivilSeconds> parse_clock(std::string_view text)
{
    if (text.size() != kClockTextLength || text[2] != '/' || text[5] != '/' || text[10] != ' ' || text[13] != ':'
        || text[16] != ':')
        return std::nullopt;
    auto d = field(text, 0, 2), mo = field(text, 3, 2), y = field(text, 6, 4);
    auto h = field(text, 11, 2), mi = field(text, 14, 2), s = field(text, 17, 2);
    if (!d || !mo || !y || !h || !mi || !s)
        return std::nullopt;
    if (*y < kMinClockYear || *y > kMaxClockYear || *h > 23 || *mi > 59 || *s > 59)
        return std::nullopt;
    year_month_day ymd(year(*y), month(static_cast<unsigned>(*mo)), day(static_cast<unsigned>(*d)));
    if (!ymd.ok())
        return std::nullopt;
    return to_civil_seconds({*y, *mo, *d, *h, *mi, *s});
}

std::string format_list_date(CivilSeconds s)
{
    CivilTime t = to_civil_time(s);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d %02d:%02d", t.day, t.month, t.year % 100, t.hour, t.minute);
    return buf;
}

std::string format_duration(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return buf;
}

} // namespace q30sim
