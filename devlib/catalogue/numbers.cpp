#include "numbers.h"

#include <limits>

namespace q30::catalogue {

namespace {

bool is_white_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

int32_t read_number(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && is_white_space(text[pos]))
        ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    // Accumulate the magnitude in 64 bits and stop growing once it is past
    // every int32, so long digit runs neither overflow nor take time.
    constexpr int64_t kBeyondInt32 = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    int64_t magnitude = 0;
    for (; pos < text.size() && is_digit(text[pos]); ++pos) {
        if (magnitude < kBeyondInt32)
            magnitude = magnitude * 10 + (text[pos] - '0');
    }

    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

} // namespace q30::catalogue
