// Call lists, charge counters and dialling back.
#include "device.h"
#include "device_texts.h"

namespace q30sim {

namespace {

// The disconnection cause of a call that ended normally.
constexpr int kNormalClearing = 16;
constexpr ValueRule kDialNumber{ValueKind::DialString, 0, 20};

bool is_device_form(const AtCommand& cmd, std::string_view devicePrefix)
{
    return cmd.prefix == devicePrefix;
}

Counter counter_of(int index)
{
    // AT\X1? is the last call, AT\X3? the current connection, AT\X2? the sum.
    switch (index) {
    case 1: return Counter::LastCall;
    case 3: return Counter::Current;
    default: return Counter::Sum;
    }
}

} // namespace

std::string Device::unit() const
{
    return setting("S96");
}

Reply Device::cmd_call_list(const AtCommand& cmd, const Address& address)
{
    bool deviceForm = is_device_form(cmd, "\\H");
    int port = deviceForm ? kDataPort : address.port;
    int list = address.index;
    if (cmd.form == Form::Query && list < kCallListCount)
        return Reply::ok(log_.lines(port, static_cast<CallList>(list), unit()));
    if (deviceForm && cmd.form == Form::Set && cmd.value.empty()) {
        log_.clear(port, list);
        return Reply::ok();
    }
    return Reply::error();
}

Reply Device::cmd_clear_call_list(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    log_.clear(address.port, address.index);
    return Reply::ok();
}

Reply Device::cmd_charges(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Query)
        return Reply::error();
    return Reply::ok(charges_.counter_lines(counter_of(address.index), unit()));
}

Reply Device::cmd_total(const AtCommand& cmd, const Address&)
{
    if (cmd.form != Form::Query)
        return Reply::error();
    return Reply::ok({format_amount(charges_.total(), unit())});
}

Reply Device::cmd_reset_sum(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    charges_.set(is_device_form(cmd, "\\Y") ? kDataPort : address.port, Counter::Sum, 0);
    return Reply::ok();
}

Reply Device::cmd_reset_total(const AtCommand& cmd, const Address&)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    charges_.set_total(0);
    return Reply::ok();
}

Reply Device::cmd_last_call(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Query)
        return Reply::error();
    int port = is_device_form(cmd, "S") ? kDataPort : address.port;
    // When and whom: a short text that fits the library's 31-character field.
    const auto& calls = log_.entries(port, CallList::Outgoing);
    if (calls.empty())
        return Reply::ok({std::string()});
    return Reply::ok({format_list_date(calls.front().when) + " " + calls.front().number});
}

Reply Device::cmd_dial_back(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Set || cmd.value.empty() || dialBack_)
        return Reply::error();
    auto number = check_value(kDialNumber, cmd.value, options_.model);
    if (!number)
        return Reply::error();
    dialBack_ = DialBack{now_ + kDialBackDelay, address.port, *number, clock_.read(now_)};
    return Reply::ok();
}

void Device::finish_dial_back()
{
    DialBack call = *dialBack_;
    dialBack_.reset();
    CallEntry entry;
    entry.when = call.started;
    entry.number = call.number;
    entry.durationSeconds = static_cast<int>(clock_.read(now_) - call.started);
    entry.amount = parse_charge_rate(setting("S95"));
    log_.add(call.port, CallList::Outgoing, entry);
    charges_.add_call(call.port, entry.amount);
    lastCause_ = kNormalClearing;
    emit_line(texts::kCallEnded);
}

void Device::run_demo_calls()
{
    if (demoCalls_)
        demoCalls_->advance(now_, {charges_, log_, clock_.read(now_), parse_charge_rate(setting("S95"))});
}

} // namespace q30sim
