// Numbers as typed on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillon::cli {

// A whole decimal number in int32 range, and nothing else: no base prefix (a
// leading 0 is not octal), no blanks, no trailing characters.
std::optional<int32_t> parse_decimal_int32(std::string_view text);

} // namespace quillon::cli
