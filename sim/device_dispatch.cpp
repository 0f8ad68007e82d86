// From a command line to the handler that answers it.

#include "device.h"

namespace q30sim {

struct Device::CommandEntry {
    CommandShape shape;
    Reply (Device::*handler)(const AtCommand&, const Address&);
};

namespace {

constexpr unsigned bit(int n)
{
    return 1u << n;
}

constexpr int kCallListQueries = 3; // lists 0..2; 3 (all) only for clearing
constexpr int kCallListClears = 4;

} // namespace

const std::vector<Device::CommandEntry>& Device::command_table()
{
    using A = Addressing;
    static const std::vector<CommandEntry> table = {
        {{"", A::None}, &Device::cmd_attention},
        {{"E", A::Index, bit(0) | bit(1)}, &Device::cmd_echo},
        {{"V", A::Index, bit(0) | bit(1)}, &Device::cmd_verbose},
        {{"I", A::Index, bit(3) | bit(4)}, &Device::cmd_identity},
        {{"&W", A::None}, &Device::cmd_store},
        {{"C", A::None}, &Device::cmd_call_check},
        {{"!DOWNLOAD", A::None}, &Device::cmd_download},
        {{"!T", A::None}, &Device::cmd_clock},
        {{"!C1", A::None}, &Device::cmd_line_state},
        {{"S71", A::None}, &Device::cmd_last_cause},
        {{"\\S", A::Index, bit(0) | bit(1)}, &Device::cmd_help_text},
        {{"!P14", A::PortOrData}, &Device::cmd_port_status},
        {{"!P20", A::PortOptionalIndex, bit(0) | bit(1)}, &Device::cmd_forwarding},
        {{"!P21", A::PortOptionalIndex, bit(0) | bit(1)}, &Device::cmd_forwarding},
        {{"!P22", A::PortOptionalIndex, bit(0) | bit(1)}, &Device::cmd_forwarding},
        {{"\\H", A::Index, mask_below(kCallListClears)}, &Device::cmd_call_list},
        {{"!P3", A::PortIndex, mask_below(kCallListQueries)}, &Device::cmd_call_list},
        {{"!P23", A::PortIndex, mask_below(kCallListClears)}, &Device::cmd_clear_call_list},
        {{"\\X", A::Index, bit(1) | bit(2) | bit(3)}, &Device::cmd_charges},
        {{"!P27", A::None}, &Device::cmd_total},
        {{"\\Y", A::None}, &Device::cmd_reset_sum},
        {{"!P5", A::Port}, &Device::cmd_reset_sum},
        {{"!P28", A::None}, &Device::cmd_reset_total},
        {{"S99", A::None}, &Device::cmd_last_call},
        {{"!P26", A::Port}, &Device::cmd_last_call},
        {{"!P24", A::PortOrData}, &Device::cmd_dial_back},
    };
    return table;
}

Reply Device::execute(std::string_view line)
{
    if (!has_attention_prefix(line))
        return Reply::error();
    auto cmd = parse_command(line.substr(2));
    if (!cmd)
        return Reply::error();
    return run(*cmd);
}

Reply Device::run(const AtCommand& cmd)
{
    Address address;
    for (const CommandEntry& entry : command_table()) {
        switch (match_shape(entry.shape, cmd, options_.model, address)) {
        case ShapeMatch::Yes: return (this->*entry.handler)(cmd, address);
        case ShapeMatch::BadAddress: return Reply::error();
        case ShapeMatch::No: break;
        }
    }
    ShapeMatch match;
    if (const RegisterInfo* reg = find_register(cmd, options_.model, address, match))
        return run_register(*reg, cmd, address);
    return Reply::error();
}

} // namespace q30sim
