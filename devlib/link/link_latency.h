// Extra waiting for a port carried over a network: a serial-over-network
// server beside the device and a local pseudo-terminal add a round trip to
// every answer and may split one answer into pieces with pauses between
// them. The user names that delay in milliseconds in Q30COM32_LINK_LATENCY_MS;
// the serial link adds it to every reply time-out and to the quiet gap.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace q30 {

inline constexpr const char* kLinkLatencyVariable = "Q30COM32_LINK_LATENCY_MS";
inline constexpr int kMaxLinkLatencyMs = 10000;

// The milliseconds a value names: a whole decimal number 0..kMaxLinkLatencyMs,
// nothing else (no sign, no unit, no spaces).
std::optional<int> parse_link_latency(std::string_view text);

struct LinkLatency {
    int ms = 0;
    std::string problem;  // why the variable was ignored; empty when it was not
};

// The variable's value now: 0 when unset or empty; a bad value counts as 0,
// is named in `problem` and said once on standard error.
LinkLatency link_latency_from_environment();

} // namespace q30
