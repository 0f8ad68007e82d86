#include "pages/compare_versions.h"

#include <array>

namespace quillon {

namespace {

constexpr int kParts = 4;
constexpr int kPartLength = 3;
constexpr long kBase = 70;

int digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 40;
    return -1;  // adds nothing
}

std::array<long, kParts> numbers(std::string_view text)
{
    std::array<long, kParts> result{};
    for (int part = 0; part < kParts && !text.empty(); ++part) {
        const std::size_t dot = text.find('.');
        std::string_view piece = text.substr(0, dot);
        text = dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
        piece = piece.substr(0, kPartLength);
        long value = 0;
        for (char c : piece) {
            const int d = digit(c);
            value = value * kBase + (d < 0 ? 0 : d);
        }
        // Left-align to three characters: one character x 4900, two x 70.
        for (std::size_t n = piece.size(); n < kPartLength && !piece.empty(); ++n)
            value *= kBase;
        result[static_cast<std::size_t>(part)] = value;
    }
    return result;
}

} // namespace

int CompareVersions(std::string_view a, std::string_view b)
{
    if (a == b)
        return kVersionEqual;
    const auto x = numbers(a);
    const auto y = numbers(b);
    for (int i = 0; i < kParts; ++i) {
        if (x[static_cast<std::size_t>(i)] < y[static_cast<std::size_t>(i)])
            return kVersionLower;
        if (x[static_cast<std::size_t>(i)] > y[static_cast<std::size_t>(i)])
            return kVersionHigher;
    }
    return kVersionEqual;
}

} // namespace quillon
