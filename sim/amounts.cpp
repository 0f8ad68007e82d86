#include "amounts.h"

#include <cinttypes>
#include <cstdio>

namespace q30sim {

namespace {

constexpr int kDecimals = 3;
constexpr MilliAmount kMilliPerUnit = 1000;

} // namespace

std::string format_amount(MilliAmount amount, std::string_view unit)
{
    if (amount < 0)
        amount = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%" PRId64 ",%03" PRId64, amount / kMilliPerUnit, amount % kMilliPerUnit);
    std::string text = buf;
    if (!unit.empty()) {
        text += ' ';
        text += unit;
    }
    return text;
}

MilliAmount parse_charge_rate(std::string_view text)
{
    MilliAmount whole = 0;
    MilliAmount fraction = 0;
    int decimals = -1; // -1 until the separator
    for (char c : text) {
        if (c == ',' || c == '.') {
            decimals = 0;
        } else if (c >= '0' && c <= '9') {
            if (decimals < 0)
                whole = whole * 10 + (c - '0');
            else if (decimals < kDecimals)
                fraction = fraction * 10 + (c - '0'), ++decimals;
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < kDecimals; ++d)
        fraction *= 10;
    return whole * kMilliPerUnit + fraction;
}

} // namespace q30sim
