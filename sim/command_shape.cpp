#include "command_shape.h"

namespace q30sim {

namespace {

constexpr int kDayGroups = 2;

bool uses_number(Addressing a)
{
    return a == Addressing::Index || a == Addressing::GroupRow;
}

bool uses_port(Addressing a)
{
    return a == Addressing::Port || a == Addressing::PortOrData || a == Addressing::PortIndex
           || a == Addressing::PortOptionalIndex;
}

bool in_mask(unsigned mask, int value)
{
    return value >= 0 && value < 32 && (mask & (1u << value)) != 0;
}

bool port_valid(Addressing a, int port, Model model)
{
    if (a == Addressing::PortOrData && port == kDataPort)
        return true;
    return is_analogue_port(model, port);
}

bool number_address_valid(const CommandShape& shape, const std::string& number, Address& out)
{
    if (shape.addressing == Addressing::Index) {
        if (number.empty() || number.size() > 2)
            return false;
        out.index = std::stoi(number);
        return in_mask(shape.indexMask, out.index);
    }
    if (number.size() != 2)
        return false;
    out.group = number[0] - '0';
    out.index = number[1] - '0';
    return out.group < kDayGroups && in_mask(shape.indexMask, out.index);
}

bool index_valid(const CommandShape& shape, const AtCommand& cmd, Address& out)
{
    switch (shape.addressing) {
    case Addressing::PortIndex:
        if (!cmd.index)
            return false;
        break;
    case Addressing::PortOptionalIndex:
        if (!cmd.index)
            return true;
        break;
    default:
        return !cmd.index;
    }
    out.index = *cmd.index;
    return in_mask(shape.indexMask, out.index);
}

} // namespace

ShapeMatch match_shape(const CommandShape& shape, const AtCommand& cmd, Model model, Address& out)
{
    out = Address{};
    bool numbered = uses_number(shape.addressing);
    if (numbered ? cmd.prefix != shape.name : cmd.prefix + cmd.number != shape.name)
        return ShapeMatch::No;
    if (numbered && !number_address_valid(shape, cmd.number, out))
        return ShapeMatch::BadAddress;
    if (uses_port(shape.addressing)) {
        if (!cmd.port || !port_valid(shape.addressing, *cmd.port, model))
            return ShapeMatch::BadAddress;
        out.port = *cmd.port;
    } else if (cmd.port) {
        return ShapeMatch::BadAddress;
    }
    if (!index_valid(shape, cmd, out))
        return ShapeMatch::BadAddress;
    return ShapeMatch::Yes;
}

std::string port_address(std::string_view name, int port, int index)
{
    std::string text(name);
    text += '#';
    text += std::to_string(port);
    if (index >= 0) {
        text += '*';
        text += std::to_string(index);
    }
    return text;
}

std::string address_key(const CommandShape& shape, const Address& address)
{
    std::string key(shape.name);
    switch (shape.addressing) {
    case Addressing::None: break;
    case Addressing::Index: key += std::to_string(address.index); break;
    case Addressing::GroupRow: key += std::to_string(address.group) + std::to_string(address.index); break;
    case Addressing::Port:
    case Addressing::PortOrData: return port_address(shape.name, address.port);
    case Addressing::PortIndex:
    case Addressing::PortOptionalIndex: return port_address(shape.name, address.port, address.index);
    }
    return key;
}

} // namespace q30sim
