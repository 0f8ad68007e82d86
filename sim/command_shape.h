// Which commands a table entry stands for, and where in the device it points:
// the name, and how the port, index, day group or row is given.
#pragma once

#include <string>
#include <string_view>

#include "at_command.h"
#include "models.h"

namespace q30sim {

enum class Addressing {
    None,              // the name alone: "S95", "%A2", "&W"
    Index,             // the digits after the prefix: "!N2", "\\F7", "E1"
    GroupRow,          // two digits after the prefix, day group 0..1 and row: "\\D03"
    Port,              // "#" and an analogue port: "!P17#21"
    PortOrData,        // "#" and an analogue port or 0 for the data port: "!P24#0"
    PortIndex,         // "#port*index": "!P0#11*2"
    PortOptionalIndex, // "#port", with "*index" in sets: "!P20#11?", "!P20#11*1=..."
};

struct CommandShape {
    std::string_view name;   // prefix, plus the number for addressings that do not use it
    Addressing addressing = Addressing::None;
    unsigned indexMask = 0;  // allowed index or row values, bit n for value n
};

constexpr unsigned mask_below(int count)
{
    return (1u << count) - 1u;
}

struct Address {
    int port = -1;
    int index = -1;
    int group = -1;
};

enum class ShapeMatch { No, Yes, BadAddress };

// Whether `cmd` is a command of this shape and, if so, whether its address is
// valid on the model. The address goes to `out`.
ShapeMatch match_shape(const CommandShape& shape, const AtCommand& cmd, Model model, Address& out);

// "name#port", and "*index" when the index is not negative: "!P0#11*2".
std::string port_address(std::string_view name, int port, int index = -1);

// The text that names one addressed item, as it appears after "AT" in a command:
// "!P0#11*2", "\\D03", "S95".
std::string address_key(const CommandShape& shape, const Address& address);

} // namespace q30sim
