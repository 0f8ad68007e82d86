// The device's date and time: wall-clock seconds that run on from the moment
// they were set, driven by the steady clock the device is given.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q30sim {

// Seconds since 1 January 1970 of a local date and time, counted without time zones.
using CivilSeconds = std::int64_t;

struct CivilTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

CivilSeconds to_civil_seconds(const CivilTime& t);
CivilTime to_civil_time(CivilSeconds s);

// The host's local date and time now.
CivilSeconds host_local_now();

class DeviceClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Starts the clock at `start` at the moment `now`; `isSet` tells whether it
    // counts as set (a clock that was never set still runs, from its power-up value).
    void start(CivilSeconds start, TimePoint now, bool isSet);
    void set(CivilSeconds value, TimePoint now);
    bool is_set() const { return set_; }
    CivilSeconds read(TimePoint now) const;

private:
    CivilSeconds base_ = 0;
    TimePoint anchor_{};
    bool set_ = false;
};

// "dd/mm/yyyy hh:mm:ss", the form of AT!T? and AT!T=.
std::string format_clock(CivilSeconds s);
std::optional<CivilSeconds> parse_clock(std::string_view text);

// "dd/mm/yy hh:mm", the date column of the call lists.
std::string format_list_date(CivilSeconds s);

// "hh:mm:ss" of a duration in seconds.
std::string format_duration(int seconds);

} // namespace q30sim
