#include "decimal_argument.h"

#include <charconv>

namespace quillon::cli {

std::optional<int32_t> parse_decimal_int32(std::string_view text)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    // from_chars takes no blanks, no '+' and no base prefix, and reports
    // values outside int32 instead of wrapping them.
    auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

} // namespace quillon::cli
