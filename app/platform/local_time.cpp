#include "platform/local_time.h"

#include <chrono>
#include <ctime>

namespace quillon::platform {

namespace {

using namespace std::chrono;

constexpr int kFirstTmYear = 1900;

sys_seconds as_seconds(const LocalDateTime& t)
{
    const sys_days date = year{t.year} / month{static_cast<unsigned>(t.month)} / day{static_cast<unsigned>(t.day)};
    return date + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

LocalDateTime from_seconds(sys_seconds s)
{
    const sys_days date = floor<days>(s);
    const year_month_day ymd{date};
    const hh_mm_ss clock{s - date};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count())};
}

} // namespace

LocalDateTime system_local_time()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + kFirstTmYear, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

LocalDateTime add_seconds(const LocalDateTime& t, int64_t s)
{
    return from_seconds(as_seconds(t) + seconds{s});
}

} // namespace quillon::platform
