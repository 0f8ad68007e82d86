// One round of the status monitor's device traffic: per port the first MSN,
// caller-ID presentation, the first active forwarding, the charge figures,
// the outgoing calls and the busy state; the device total and charge unit.
// Values the device does not give keep their placeholders.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "pages/call_list.h"
#include "pages/charge_figures.h"
#include "shell/device_gate.h"

namespace quillon {

// The monitor's columns: ports 11, 21, 22, 31, 32 and the data port, in the
// order of the charge counters.
inline constexpr std::size_t kMonitorColumns = kChargeColumns;
inline constexpr std::size_t kMonitorDataColumn = kDataPortColumn;

struct MonitorColumn {
    std::optional<std::string> firstMsn;       // none: could not be read
    bool clip = false;
    std::optional<std::string> forwardTarget;  // device form; none: no forwarding on
    std::string charges{kNoCharge};            // the port's sum (counter 2)
    std::string current{kNoCharge};            // the running call (counter 1)
    std::vector<CallEntry> outgoing;
    bool busy = false;
};

struct MonitorReading {
    std::array<MonitorColumn, kMonitorColumns> columns;
    std::string total{kNoCharge};
    std::optional<std::string> unit;  // none: no counter named one this round (UTF-8)
    // The device stopped answering during the round: what followed was not asked.
    bool deviceSilent = false;
};

// Whether column `c` exists with `portCount` analogue ports.
bool monitor_column_present(std::size_t column, int portCount);

// Reads one round. Once a command gets no answer at all the round stops
// asking: the alive poll finds out whether the device is gone, instead of
// every remaining command waiting out its time.
MonitorReading read_monitor(const DeviceGate& gate, int portCount);

} // namespace quillon
