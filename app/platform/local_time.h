// The computer's local date and time, as the platform layer gives it: the
// system clock in the program, a clock the tests set in the headless backend.
#pragma once

#include <cstdint>

namespace quillon::platform {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const LocalDateTime&) const = default;
};

// The system clock in the local time zone.
LocalDateTime system_local_time();

// `t` moved on by whole seconds, across days, months and years.
LocalDateTime add_seconds(const LocalDateTime& t, int64_t seconds);

} // namespace quillon::platform
