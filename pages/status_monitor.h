// File > "Monitor Mode": a compact dashboard of every port (name, MSN0,
// caller-ID presentation, forwarding, charges, outgoing calls, busy lamp)
// and the device total, read again every five seconds while the link to
// the device is up. It changes nothing in the device.
#pragma once

#include "shell/main_window.h"

namespace quillon {

inline constexpr int kMonitorTimer = 1;
inline constexpr int kMonitorPeriodMs = 5000;

int run_status_monitor(MainWindow& main);

} // namespace quillon
