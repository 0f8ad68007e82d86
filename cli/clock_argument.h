// A date and time typed on the command line.
#pragma once

#include <optional>
#include <string_view>

#include "q30com32/drvcmd.h"

namespace quillon::cli {

// "DD/MM/YYYY-hh:mm:ss", the seconds optional (a morning call has none).
// Every field is decimal digits and within its calendar range.
std::optional<q30::record::ClockFields> parse_clock_argument(std::string_view text);

} // namespace quillon::cli
