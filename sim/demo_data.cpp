#include "demo_data.h"

#include <string>

#include "command_shape.h"
#include "demo_acceptance.h"
#include "demo_data_protocol.h"
#include "demo_forwarding.h"
#include "demo_lcr.h"
#include "demo_morning_calls.h"

namespace q30sim {

namespace {

constexpr int kDemoYear = 2001;
constexpr int kDemoMonth = 3;

CivilSeconds demo_time(int day, int hour, int minute)
{
    return to_civil_seconds({kDemoYear, kDemoMonth, day, hour, minute, 0});
}

void seed_settings(Model model, SettingsStore& s)
{
    auto ports = analogue_ports(model);
    int msn = 4711001;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        int port = ports[i];
        s.set(port_address("!P0", port, 0), std::to_string(msn++));
        if (i == 0)
            s.set(port_address("!P0", port, 1), std::to_string(msn++));
        s.set(port_address("!P17", port), i == 0 ? "1" : "0");
    }
    for (const char* dataMsn : {"!N0", "!N1", "!N3"})
        s.set(dataMsn, std::to_string(msn++));

    int first = ports[0];
    int second = ports[1];
    s.set(port_address("!P10", first, 0), "0301234567");
    s.set(port_address("!P10", first, 1), "08912345678");
    s.set(port_address("!P10", first, 2), port_code(second));
    s.set(port_address("!P10", second, 0), "040987654");
    s.set(port_address("!P10", second, 1), port_code(first));
    s.set(port_address("!P10", ports[2], 0), "0221555123");
    s.set(port_address("!P11", first), "1");
    s.set(port_address("!P12", first, 0), "01901234567");
    s.set(port_address("!P12", second, 0), "0221555123");
    s.set("\\F0", "069777888");
    s.set(port_address("!P13", first), "1");
    s.set("\\E", "1");
    seed_call_acceptance(model, s);
    seed_call_forwarding(model, s);
    seed_data_protocol(s);
    seed_least_cost_routing(s);
    seed_morning_calls(model, s);
}

// The third port's lists, and on the Q30 an internal call that rang port 31.
void seed_more_calls(Model model, CallLog& log)
{
    auto ports = analogue_ports(model);
    int third = ports[2];
    log.add(third, CallList::Outgoing, {demo_time(4, 19, 30), "0301234567", 6 * 60 + 40, 720, 0});
    log.add(third, CallList::Incoming, {demo_time(4, 20, 15), "08912345678", 15 * 60, 0, 16});
    log.add(third, CallList::Missed, {demo_time(5, 9, 2), "0301234567", 0, 0, 19});
    if (ports.size() > 3)
        log.add(ports[3], CallList::Incoming, {demo_time(3, 17, 45), port_code(ports[0]), 2 * 60 + 15, 0, 16});
}

void seed_calls(Model model, CallLog& log)
{
    auto ports = analogue_ports(model);
    int first = ports[0];
    int second = ports[1];
    log.add(first, CallList::Outgoing, {demo_time(2, 9, 15), "0301234567", 4 * 60 + 12, 240, 0});
    log.add(first, CallList::Outgoing, {demo_time(3, 18, 40), "08912345678", 12 * 60 + 5, 1560, 0});
    log.add(first, CallList::Outgoing, {demo_time(5, 7, 58), port_code(second), 45, 0, 0});
    log.add(first, CallList::Incoming, {demo_time(4, 12, 3), "040987654", 3 * 60 + 30, 0, 16});
    log.add(first, CallList::Incoming, {demo_time(5, 8, 20), "", 62, 0, 16});
    log.add(first, CallList::Missed, {demo_time(5, 10, 11), "0221555123", 0, 0, 19});
    log.add(second, CallList::Outgoing, {demo_time(1, 20, 5), "040987654", 25 * 60, 2880, 0});
    log.add(second, CallList::Missed, {demo_time(4, 22, 47), "", 0, 0, 19});
    log.add(kDataPort, CallList::Outgoing, {demo_time(2, 21, 0), "019160", 58 * 60 + 20, 3480, 0});
    log.add(kDataPort, CallList::Incoming, {demo_time(3, 6, 30), "069777888", 2 * 60 + 2, 0, 16});
    seed_more_calls(model, log);
}

// A port's last call is the newest of its outgoing list.
void seed_charges(Model model, const CallLog& log, Charges& charges)
{
    MilliAmount sum = 12345;
    MilliAmount total = 0;
    auto add = [&](int port) {
        const auto& calls = log.entries(port, CallList::Outgoing);
        charges.set(port, Counter::LastCall, calls.empty() ? 0 : calls.front().amount);
        charges.set(port, Counter::Sum, sum);
        total += sum;
        sum += 4321;
    };
    for (int port : analogue_ports(model))
        add(port);
    add(kDataPort);
    charges.set_total(total);
}

} // namespace

void seed_demo_data(Model model, SettingsStore& settings, CallLog& log, Charges& charges)
{
    seed_settings(model, settings);
    seed_calls(model, log);
    seed_charges(model, log, charges);
}

} // namespace q30sim
