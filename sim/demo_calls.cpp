#include "demo_calls.h"

#include <array>
#include <string_view>

namespace q30sim {

namespace {

// Numbers the demo ports call: friends, a business, and for the data port
// an online service.
constexpr std::array<std::string_view, 4> kPhoneNumbers = {"040987654", "0301234567", "0221555123", "08912345678"};
constexpr std::string_view kDataNumber = "019160";

} // namespace

DemoCalls::DemoCalls(Model model)
{
    auto analogue = analogue_ports(model);
    // A phone on the second port first, then the data port, then the others.
    ports_ = {analogue[1], kDataPort, analogue[0]};
    for (std::size_t i = 2; i < analogue.size(); ++i)
        ports_.push_back(analogue[i]);
}

void DemoCalls::advance(TimePoint now, const DeviceView& device)
{
    if (!nextStart_)
        nextStart_ = now;
    // Catches up call by call: a long silence on the line may span several.
    while (true) {
        if (!call_) {
            if (now < *nextStart_)
                return;
            start_call(*nextStart_, now, device);
        }
        while (call_->nextUnit <= now && call_->nextUnit < call_->ends) {
            ++call_->units;
            call_->nextUnit += kChargeInterval;
        }
        device.charges.set(call_->port, Counter::Current, call_->units * device.chargePerUnit);
        if (now < call_->ends)
            return;
        end_call(device);
    }
}

std::optional<int> DemoCalls::busy_port() const
{
    if (call_)
        return call_->port;
    return std::nullopt;
}

// The network charges the first unit as the call is connected.
void DemoCalls::start_call(TimePoint at, TimePoint now, const DeviceView& device)
{
    Call call;
    call.port = ports_[nextCall_ % ports_.size()];
    call.number = std::string(call.port == kDataPort ? kDataNumber : kPhoneNumbers[nextCall_ % kPhoneNumbers.size()]);
    call.started = at;
    call.ends = at + kCallLength;
    call.units = 1;
    call.nextUnit = at + kChargeInterval;
    // The wall clock is read at `now`: the call began that much earlier.
    call.startedWall = device.wallClock - std::chrono::duration_cast<std::chrono::seconds>(now - at).count();
    ++nextCall_;
    call_ = call;
}

void DemoCalls::end_call(const DeviceView& device)
{
    const Call& call = *call_;
    const MilliAmount amount = call.units * device.chargePerUnit;
    const int seconds = static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(kCallLength).count());
    device.log.add(call.port, CallList::Outgoing, {call.startedWall, call.number, seconds, amount, 0});
    device.charges.add_call(call.port, amount);
    device.charges.set(call.port, Counter::Current, 0);
    nextStart_ = call.ends + kPause;
    call_.reset();
}

} // namespace q30sim
