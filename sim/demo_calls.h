// Calls the demo device makes on its own, one after another, so that a
// program watching it sees things happen: while a call runs its port's
// current charge grows by one charge unit at a time; when it ends it
// becomes the port's last call, adds to the port's sum and the total, and
// is recorded in the port's outgoing list. Time is the device's: nothing
// happens between commands, everything due is caught up on the next one.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "amounts.h"
#include "call_log.h"
#include "charges.h"
#include "device_clock.h"
#include "models.h"

namespace q30sim {

class DemoCalls {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    static constexpr std::chrono::seconds kChargeInterval{8};
    static constexpr std::chrono::seconds kCallLength{120};
    static constexpr std::chrono::seconds kPause{30};

    explicit DemoCalls(Model model);

    // What the calls touch, and the wall-clock time and charge per unit of
    // the device at `now`.
    struct DeviceView {
        Charges& charges;
        CallLog& log;
        CivilSeconds wallClock;
        MilliAmount chargePerUnit;
    };
    // Starts, charges and ends the calls due up to `now`; the first call
    // starts at the first moment the device is given.
    void advance(TimePoint now, const DeviceView& device);

    // The port of the call that runs now, if one does.
    std::optional<int> busy_port() const;

private:
    struct Call {
        int port = 0;
        std::string number;
        TimePoint started{};
        CivilSeconds startedWall = 0;
        TimePoint ends{};
        TimePoint nextUnit{};
        int units = 0;
    };
    void start_call(TimePoint at, TimePoint now, const DeviceView& device);
    void end_call(const DeviceView& device);

    std::vector<int> ports_;  // the order the calls take
    std::size_t nextCall_ = 0;
    std::optional<TimePoint> nextStart_;
    std::optional<Call> call_;
};

} // namespace q30sim
