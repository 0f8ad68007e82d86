#include "demo_morning_calls.h"

#include <array>

#include "command_shape.h"

namespace q30sim {

namespace {

struct MorningCall {
    const char* time;
    const char* on;
};

// Per port in order: the early riser on port 11, the second telephone's
// weekend time left off, the fax port off, a shift worker's call on port 31.
constexpr std::array<MorningCall, 5> kMorningCalls = {{
    {"06:30", "1"},
    {"08:15", "0"},
    {"06:45", "0"},
    {"05:45", "1"},
    {"07:30", "0"},
}};

} // namespace

void seed_morning_calls(Model model, SettingsStore& s)
{
    const auto ports = analogue_ports(model);
    for (std::size_t i = 0; i < ports.size() && i < kMorningCalls.size(); ++i) {
        s.set(port_address("!P18", ports[i]), kMorningCalls[i].time);
        s.set(port_address("!P19", ports[i]), kMorningCalls[i].on);
    }
}

} // namespace q30sim
