#include "clock_argument.h"

#include <array>

#include "decimal_argument.h"

namespace quillon::cli {

namespace {

constexpr int kFieldCount = 6;
constexpr int kFieldsWithoutSeconds = 5;
constexpr std::array<char, kFieldCount - 1> kSeparators{'/', '/', '-', ':', ':'};
constexpr std::size_t kMaxFieldDigits = 4;

struct Range {
    int low, high;
};
// Day, month, year, hour, minute, second.
constexpr std::array<Range, kFieldCount> kRanges{{{1, 31}, {1, 12}, {0, 9999}, {0, 23}, {0, 59}, {0, 59}}};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<q30::record::ClockFields> parse_clock_argument(std::string_view text)
{
    std::array<int, kFieldCount> fields{};
    int count = 0;
    std::size_t pos = 0;
    while (count < kFieldCount) {
        const std::size_t start = pos;
        while (pos < text.size() && is_digit(text[pos]))
            ++pos;
        if (pos == start || pos - start > kMaxFieldDigits)
            return std::nullopt;
        auto value = parse_decimal_int32(text.substr(start, pos - start));
        const Range range = kRanges[static_cast<std::size_t>(count)];
        if (!value || *value < range.low || *value > range.high)
            return std::nullopt;
        fields[static_cast<std::size_t>(count++)] = *value;
        if (pos == text.size())
            break;
        if (count == kFieldCount || text[pos] != kSeparators[static_cast<std::size_t>(count - 1)])
            return std::nullopt;
        ++pos;
    }
    if (count < kFieldsWithoutSeconds)
        return std::nullopt;
    return q30::record::ClockFields{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

} // namespace quillon::cli
