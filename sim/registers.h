// The settings the device keeps and stores with AT&W: each is queried with
// "?", set with "=" and a value, and answers with the value it holds.
#pragma once

#include <span>
#include <string_view>

#include "command_shape.h"
#include "value_checks.h"

namespace q30sim {

struct RegisterInfo {
    CommandShape shape;
    ValueRule rule;
    std::string_view initial; // the value at power-up, before any set
};

std::span<const RegisterInfo> register_table();

// The register a command addresses; `match` tells whether it was found and
// whether its address is valid.
const RegisterInfo* find_register(const AtCommand& cmd, Model model, Address& address, ShapeMatch& match);

} // namespace q30sim
