#include "demo_forwarding.h"

#include "command_shape.h"

namespace q30sim {

namespace {

// The registers by kind, and the index under which a set target is kept.
constexpr const char* kImmediate = "!P20";
constexpr const char* kNoReply = "!P21";
constexpr const char* kBusy = "!P22";
constexpr int kTargetIndex = 1;

} // namespace

void seed_call_forwarding(Model model, SettingsStore& s)
{
    auto ports = analogue_ports(model);
    const int first = ports[0];
    const int second = ports[1];
    const int last = ports[ports.size() - 1];
    // The first port's busy calls ring at the second port; the second port's
    // unanswered calls go to a mobile; the last port forwards everything.
    s.set(port_address(kBusy, first, kTargetIndex), port_code(second));
    s.set(port_address(kNoReply, second, kTargetIndex), "01701234567");
    s.set(port_address(kImmediate, last, kTargetIndex), "0301234567");
}

} // namespace q30sim
