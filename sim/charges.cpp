#include "charges.h"

namespace q30sim {

namespace {

constexpr std::string_view kTitles[] = {"Last Call Charge:", "Current Connection Charge:", "Sum Of Port Charge:"};

} // namespace

Charges::Charges(Model model)
{
    for (int port : analogue_ports(model))
        ports_.push_back(port);
    ports_.push_back(kDataPort);
    for (int port : ports_)
        counters_[port];
}

bool Charges::has_port(int port) const
{
    return counters_.contains(port);
}

MilliAmount& Charges::field(PortCounters& c, Counter counter)
{
    switch (counter) {
    case Counter::LastCall: return c.lastCall;
    case Counter::Current: return c.current;
    case Counter::Sum: break;
    }
    return c.sum;
}

MilliAmount Charges::get(int port, Counter counter) const
{
    auto it = counters_.find(port);
    if (it == counters_.end())
        return 0;
    PortCounters copy = it->second;
    return field(copy, counter);
}

void Charges::set(int port, Counter counter, MilliAmount amount)
{
    if (auto it = counters_.find(port); it != counters_.end())
        field(it->second, counter) = amount;
}

void Charges::add_call(int port, MilliAmount amount)
{
    auto it = counters_.find(port);
    if (it == counters_.end())
        return;
    it->second.lastCall = amount;
    it->second.sum += amount;
    total_ += amount;
}

std::vector<std::string> Charges::counter_lines(Counter counter, std::string_view unit) const
{
    std::vector<std::string> lines;
    lines.emplace_back(kTitles[static_cast<int>(counter)]);
    for (int port : ports_)
        lines.push_back(port_label(port) + format_amount(get(port, counter), unit));
    return lines;
}

} // namespace q30sim
