#include "pages/pc_clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace quillon {

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
    return {static_cast<int>(ymd.year()),           static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())};
}

} // namespace

LocalDateTime system_local_time()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + kFirstTmYear, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

PcClock clock_running_from(const platform::Ui& ui, LocalDateTime start)
{
    const uint64_t startMs = ui.now_ms();
    const sys_seconds base = as_seconds(start);
    return [&ui, startMs, base] {
        const auto elapsed = seconds{static_cast<long long>((ui.now_ms() - startMs) / 1000)};
        return from_seconds(base + elapsed);
    };
}

std::string format_date_time(const LocalDateTime& t)
{
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                  t.second);
    return text;
}

} // namespace quillon
