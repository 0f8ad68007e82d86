// The computer's local date and time: what the timer page shows beside the
// device's clock and sets that clock from.
#pragma once

#include <functional>
#include <string>

#include "platform/ui.h"

namespace quillon {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const LocalDateTime&) const = default;
};

using PcClock = std::function<LocalDateTime()>;

// The computer's own clock, in its local time zone.
LocalDateTime system_local_time();

// A clock that reads `start` now and runs on with the platform layer's
// clock: tests fix the time and move it with the headless backend.
PcClock clock_running_from(const platform::Ui& ui, LocalDateTime start);

// "dd/mm/yyyy hh:mm:ss", the form of both clocks on the page.
std::string format_date_time(const LocalDateTime& t);

} // namespace quillon
