#include "demo_acceptance.h"

#include <array>
#include <string>

#include "command_shape.h"

namespace q30sim {

namespace {

// Per port in order: acceptance (0 none, 1 own MSNs, 2 all), caller ID
// (0 none, 1 FSK, 2 DTMF), rings before answering, call waiting, and the
// device's volume switch (1 normal, 0 lower).
struct PortDemo {
    const char* acceptance;
    const char* callerId;
    const char* rings;
    const char* callWaiting;
    const char* normalVolume;
};

constexpr std::array<PortDemo, 5> kPorts = {{
    {"1", "1", "0", "1", "1"},  // telephone on its own MSNs, FSK display
    {"2", "2", "2", "0", "0"},  // second telephone rings for every call, quietly, after two rings
    {"1", "0", "4", "0", "1"},  // fax: its own MSN, after four rings
    {"0", "0", "0", "1", "1"},  // takes no calls from outside
    {"2", "1", "6", "1", "1"},  // answering machine for every call, after six rings
}};

} // namespace

void seed_call_acceptance(Model model, SettingsStore& s)
{
    s.set("!V0", "1");  // data calls: to the data port's MSNs 0..2 only
    s.set("!V3", "2");  // SoftFax and answering machine calls: all
    const auto ports = analogue_ports(model);
    for (std::size_t i = 0; i < ports.size() && i < kPorts.size(); ++i) {
        const PortDemo& d = kPorts[i];
        s.set(port_address("!P1", ports[i]), d.acceptance);
        s.set(port_address("!P6", ports[i]), d.callerId);
        s.set(port_address("!P9", ports[i]), d.rings);
        s.set(port_address("!P2", ports[i]), d.callWaiting);
        s.set(port_address("!P8", ports[i]), d.normalVolume);
    }
}

} // namespace q30sim
