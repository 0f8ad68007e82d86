// Identity, result modes, the clock and what the device reports about its line and ports.
#include <cstdio>

#include "device.h"
#include "device_texts.h"

namespace q30sim {

namespace {

constexpr int kEchoOn = 1;
constexpr int kVerboseOn = 1;
constexpr int kVersionsInfo = 3;
constexpr int kImportantCommandsText = 0;
// One port status line: 16 characters, the busy state ("0"/"1") in the last.
constexpr const char* kPortStatusFormat = "Port %2d state: %c";
constexpr std::size_t kPortStatusLength = 16;

template <std::size_t N>
std::vector<std::string> as_lines(const std::array<std::string_view, N>& text)
{
    return {text.begin(), text.end()};
}

} // namespace

Reply Device::cmd_attention(const AtCommand& cmd, const Address&)
{
    return cmd.form == Form::Action ? Reply::ok() : Reply::error();
}

Reply Device::cmd_echo(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    echo_ = address.index == kEchoOn;
    return Reply::ok();
}

Reply Device::cmd_verbose(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    verbose_ = address.index == kVerboseOn;
    return Reply::ok();
}

Reply Device::cmd_identity(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    if (address.index == kVersionsInfo)
        return Reply::ok({firmware_, std::string(texts::kBootCodeLabel) + bootCode_});
    return Reply::ok({std::string(order_number(options_.model))});
}

Reply Device::cmd_call_check(const AtCommand& cmd, const Address&)
{
    if (cmd.form != Form::Query)
        return Reply::error();
    return Reply::ok({call_active() ? "1" : "0"});
}

Reply Device::cmd_download(const AtCommand& cmd, const Address&)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    mode_ = Mode::Download;
    image_.reset();
    return Reply::silent();
}

Reply Device::cmd_clock(const AtCommand& cmd, const Address&)
{
    if (cmd.form == Form::Query)
        return Reply::ok({clock_.is_set() ? format_clock(clock_.read(now_)) : std::string(texts::kClockNotSet)});
    if (cmd.form == Form::Set) {
        if (auto value = parse_clock(cmd.value)) {
            clock_.set(*value, now_);
            return Reply::ok();
        }
    }
    return Reply::error();
}

Reply Device::cmd_line_state(const AtCommand& cmd, const Address&)
{
    return cmd.form == Form::Query ? Reply::ok({std::to_string(lineState_)}) : Reply::error();
}

Reply Device::cmd_last_cause(const AtCommand& cmd, const Address&)
{
    return cmd.form == Form::Query ? Reply::ok({std::to_string(lastCause_)}) : Reply::error();
}

Reply Device::cmd_help_text(const AtCommand& cmd, const Address& address)
{
    if (cmd.form != Form::Query)
        return Reply::error();
    return Reply::ok(address.index == kImportantCommandsText ? as_lines(texts::kImportantCommands)
                                                             : as_lines(texts::kChangedCommands));
}

Reply Device::cmd_port_status(const AtCommand& cmd, const Address& address)
{
    // The only form is the device-wide one, "AT!P14#0?".
    if (cmd.form != Form::Query || address.port != kDataPort)
        return Reply::error();
    int busyByOption = options_.callInProgress ? analogue_ports(options_.model).front() : -1;
    // The demo's own calls show too, unless a call was asked for by option.
    std::optional<int> demoCall = demoCalls_ && !options_.callInProgress ? demoCalls_->busy_port() : std::nullopt;
    std::vector<std::string> lines;
    for (int port : analogue_ports(options_.model)) {
        bool busy = port == busyByOption || (dialBack_ && dialBack_->port == port) || demoCall == port;
        char line[32];
        std::snprintf(line, sizeof line, kPortStatusFormat, port, busy ? '1' : '0');
        lines.emplace_back(line, kPortStatusLength);
    }
    return Reply::ok(lines);
}

} // namespace q30sim
