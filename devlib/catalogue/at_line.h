// Building AT command lines from printf-style formats and the record's
// switches, marks and port forms that many commands share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace q30::catalogue {

// A formatted command line, or nothing when the record names no line.
using OptionalLine = std::optional<std::string>;

// printf into a string. The formats are checked by the compiler, so each
// AT command format is written down once as a constant next to its family.
std::string at_line(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "?" for a query (op 0), "=" for every other op: a set, or with nothing
// after it, the clear form that empties an entry.
char query_mark(int32_t op);

// "1" when the switch is on, else "0".
char bit_char(int32_t on);

// Port numbers 11 and above select a command's per-port form; anything
// lower (the program passes 0) selects the device-wide form.
bool is_port_form(int32_t port);

} // namespace q30::catalogue
