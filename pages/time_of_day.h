// Times of day as the user types them for a morning call ("7", "7:5",
// "14:30") and as the device takes them ("07:05").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/local_time.h"

namespace quillon {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    bool operator==(const TimeOfDay&) const = default;
};

// Accepts up to five characters of digits with at most one ":"; the hour
// (before the colon) stays below 24 and the minute (after it) below 60 at
// every digit, so a text is refused as soon as it can no longer become a
// time. No colon: an hour alone. The empty text is 00:00.
std::optional<TimeOfDay> check_time_text(std::string_view text);

// "%02d:%02d".
std::string format_time_of_day(TimeOfDay time);

// "dd/mm/yyyy hh:mm:ss", the form of both clocks on the timer page.
std::string format_date_time(const platform::LocalDateTime& t);

} // namespace quillon
