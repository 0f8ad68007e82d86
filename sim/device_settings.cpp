// Stored registers, call forwarding, and keeping the settings with AT&W.
#include <iostream>

#include "device.h"
#include "device_texts.h"

namespace q30sim {

namespace {

constexpr int kFirstForwardingRegister = 20;
// The index of a forwarding set: "*1=target" switches on, "*0" off.
constexpr int kForwardingOff = 0;
constexpr int kForwardingOn = 1;

// Forwarding status answers.
constexpr std::string_view kStatusOff = "0";
constexpr std::string_view kStatusOn = "1";
constexpr std::string_view kStatusNotSubscribed = "2";
constexpr std::string_view kStatusRefused = "3";

constexpr ValueRule kForwardingTarget{ValueKind::DialString, 0, 15};

bool is_forwarding(const AtCommand& cmd)
{
    return cmd.prefix == "!P" && (cmd.number == "20" || cmd.number == "21" || cmd.number == "22");
}

Reply status(std::string_view s)
{
    return Reply::ok({std::string(s)});
}

} // namespace

Reply Device::run_register(const RegisterInfo& reg, const AtCommand& cmd, const Address& address)
{
    std::string key = address_key(reg.shape, address);
    switch (cmd.form) {
    case Form::Query: return Reply::ok({settings_.get(key, reg.initial)});
    case Form::Set: {
        auto value = check_value(reg.rule, cmd.value, options_.model);
        if (!value)
            return Reply::error();
        if (*value == reg.initial)
            settings_.erase(key);
        else
            settings_.set(key, *value);
        return Reply::ok();
    }
    case Form::Action: break;
    }
    return Reply::error();
}

Reply Device::cmd_forwarding(const AtCommand& cmd, const Address& address)
{
    std::string name = cmd.prefix + cmd.number;
    std::string key = port_address(name, address.port, kForwardingOn);
    if (cmd.form == Form::Query) {
        if (address.index >= 0)
            return Reply::error();
        std::string target = settings_.get(key, "");
        if (target.empty())
            return status(kStatusOff);
        int kind = std::stoi(cmd.number) - kFirstForwardingRegister;
        return status(std::string(kStatusOn) + " " + std::string(texts::kForwardingKinds[static_cast<std::size_t>(kind)])
                      + " " + target);
    }

    bool switchOn = address.index == kForwardingOn && cmd.form == Form::Set && !cmd.value.empty();
    bool switchOff = (address.index == kForwardingOff && (cmd.form == Form::Action || cmd.value.empty()))
                     || (address.index == kForwardingOn && cmd.form == Form::Set && cmd.value.empty());
    if (!switchOn && !switchOff)
        return Reply::error();
    if (options_.noForwardingService)
        return status(kStatusNotSubscribed);
    if (switchOff) {
        settings_.erase(key);
        return status(kStatusOff);
    }
    auto target = check_value(kForwardingTarget, cmd.value, options_.model);
    if (!target)
        return Reply::error();
    if (*target == port_code(address.port) || settings_.get(port_address("!P0", address.port, 0), "").empty())
        return status(kStatusRefused);
    settings_.set(key, *target);
    return status(kStatusOn);
}

Reply Device::cmd_store(const AtCommand& cmd, const Address&)
{
    if (cmd.form != Form::Action)
        return Reply::error();
    if (options_.stateFile.empty())
        return Reply::ok();
    std::string error;
    if (!write_state_file(options_.stateFile, settings_.as_command_lines(), error)) {
        std::cerr << "q30sim: cannot store the settings: " << error << "\n";
        return Reply::error();
    }
    return Reply::ok();
}

void Device::load_state_file()
{
    std::vector<std::string> lines;
    std::string error;
    switch (read_state_file(options_.stateFile, lines, error)) {
    case StateFileRead::Missing: return;
    case StateFileRead::Unreadable: stateProblem_ = error; break;
    case StateFileRead::Read: {
        SettingsStore before = settings_;
        for (const std::string& line : lines) {
            if (!apply_stored_line(line)) {
                settings_ = before;
                stateProblem_ = "not a setting this device takes: " + line;
                break;
            }
        }
        break;
    }
    }
    if (!stateProblem_.empty())
        std::cerr << "q30sim: ignoring the state file " << options_.stateFile << ": " << stateProblem_ << "\n";
}

bool Device::apply_stored_line(const std::string& line)
{
    if (!has_attention_prefix(line))
        return false;
    auto cmd = parse_command(std::string_view(line).substr(2));
    if (!cmd || cmd->form != Form::Set)
        return false;
    Address address;
    ShapeMatch match;
    // Only settings: a state file must not dial, download or clear anything.
    if (!find_register(*cmd, options_.model, address, match) && !is_forwarding(*cmd))
        return false;
    return run(*cmd).result == Reply::Result::Ok;
}

} // namespace q30sim
