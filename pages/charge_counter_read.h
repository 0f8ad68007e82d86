// Reading one charge counter's text through the page gate; kept apart from
// the parser (charge_figures.h) so that the parser stands alone.
#pragma once

#include <optional>
#include <string>

#include "shell/device_gate.h"

namespace quillon {

// Counters: 0 last call, 1 current connection, 2 sum per port, 3 device total.
inline constexpr int kLastCallCounter = 0;
inline constexpr int kCurrentCounter = 1;
inline constexpr int kSumCounter = 2;
inline constexpr int kTotalCounter = 3;

// The counter's text as the device wrote it (its 8-bit bytes), or none when
// the device did not give it with "OK".
std::optional<std::string> read_charge_counter(const DeviceGate& gate, int counter);

} // namespace quillon
