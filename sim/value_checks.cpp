#include "value_checks.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace q30sim {

namespace {

constexpr std::size_t kMaxNumberDigits = 9;
constexpr int kMaxHour = 23;
constexpr int kMaxTillHour = 24;
constexpr int kMaxMinute = 59;
constexpr std::size_t kMaxRangeDigits = 5;
constexpr int kMaxChargeRateWhole = 9999;
constexpr std::size_t kMaxChargeRateLength = 10;
constexpr std::array<std::string_view, 8> kProtocolCodes = {"95", "2", "1", "5", "3", "4", "92", "90"};

std::string two_digits(int n)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

std::optional<std::string> check_switch(std::string_view v)
{
    if (v.empty())
        return "0";
    if (v == "0" || v == "1")
        return std::string(v);
    return std::nullopt;
}

std::optional<std::string> check_number(std::string_view v, int low, int high)
{
    auto n = decimal_value(v);
    if (!n || *n < low || *n > high)
        return std::nullopt;
    return std::to_string(*n);
}

std::optional<std::string> check_dial_string(std::string_view v, std::size_t maxLength, Model model)
{
    if (v.empty() || all_digits(v, maxLength))
        return std::string(v);
    for (int port : analogue_ports(model))
        if (v == port_code(port))
            return std::string(v);
    return std::nullopt;
}

std::optional<std::string> check_text(std::string_view v, std::size_t maxLength)
{
    if (v.size() > maxLength)
        return std::nullopt;
    for (char c : v)
        if (c < ' ' || c > '~')
            return std::nullopt;
    return std::string(v);
}

std::optional<std::string> check_hex(std::string_view v, std::size_t maxLength)
{
    if (v.size() > maxLength)
        return std::nullopt;
    for (char c : v)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
    return std::string(v);
}

// Splits "a<sep>b" at the first separator.
bool split_at(std::string_view v, char sep, std::string_view& a, std::string_view& b)
{
    auto at = v.find(sep);
    if (at == std::string_view::npos)
        return false;
    a = v.substr(0, at);
    b = v.substr(at + 1);
    return true;
}

std::optional<std::string> check_time_of_day(std::string_view v)
{
    std::string_view h, m;
    if (!split_at(v, ':', h, m) || h.size() > 2 || m.size() > 2)
        return std::nullopt;
    auto hour = decimal_value(h);
    auto minute = decimal_value(m);
    if (!hour || !minute || *hour > kMaxHour || *minute > kMaxMinute)
        return std::nullopt;
    return two_digits(*hour) + ":" + two_digits(*minute);
}

std::optional<std::string> check_hour_range(std::string_view v)
{
    if (v.empty())
        return std::string();
    std::string_view a, b;
    if (!split_at(v, '-', a, b) || a.size() > 2 || b.size() > 2)
        return std::nullopt;
    auto from = decimal_value(a);
    auto till = decimal_value(b);
    if (!from || !till)
        return std::nullopt;
    if (*from == 0 && *till == 0)
        return std::string(); // the library's way of writing "no time period"
    if (*from > kMaxHour || *till < 1 || *till > kMaxTillHour || *from >= *till)
        return std::nullopt;
    return two_digits(*from) + "-" + two_digits(*till);
}

std::optional<std::string> check_number_range(std::string_view v)
{
    if (v.empty() || v == "-")
        return std::string();
    std::string_view a, b;
    if (!split_at(v, '-', a, b))
        return std::nullopt;
    if (!all_digits(a, kMaxRangeDigits) || a.size() != b.size() || !all_digits(b, kMaxRangeDigits) || a[0] != '0'
        || b[0] != '0')
        return std::nullopt;
    return std::string(v);
}

std::optional<std::string> check_charge_rate(std::string_view v)
{
    if (v.size() > kMaxChargeRateLength)
        return std::nullopt;
    std::size_t separators = 0;
    std::size_t wholeDigits = 0;
    for (char c : v) {
        if (c == ',' || c == '.') {
            ++separators;
        } else if (c >= '0' && c <= '9') {
            if (separators == 0)
                ++wholeDigits;
        } else {
            return std::nullopt;
        }
    }
    if (separators > 1)
        return std::nullopt;
    auto whole = v.substr(0, wholeDigits);
    if (!whole.empty() && *decimal_value(whole) > kMaxChargeRateWhole)
        return std::nullopt;
    return std::string(v);
}

std::optional<std::string> check_protocol(std::string_view v)
{
    for (auto code : kProtocolCodes)
        if (v == code)
            return std::string(v);
    return std::nullopt;
}

} // namespace

bool all_digits(std::string_view text, std::size_t maxLength)
{
    if (text.empty() || text.size() > maxLength)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

std::optional<int> decimal_value(std::string_view text)
{
    if (!all_digits(text, kMaxNumberDigits))
        return std::nullopt;
    int n = 0;
    for (char c : text)
        n = n * 10 + (c - '0');
    return n;
}

std::optional<std::string> check_value(const ValueRule& rule, std::string_view value, Model model)
{
    auto maxLength = static_cast<std::size_t>(rule.high);
    switch (rule.kind) {
    case ValueKind::Switch: return check_switch(value);
    case ValueKind::Number: return check_number(value, rule.low, rule.high);
    case ValueKind::Digits:
        if (value.empty() || all_digits(value, maxLength))
            return std::string(value);
        return std::nullopt;
    case ValueKind::DialString: return check_dial_string(value, maxLength, model);
    case ValueKind::Text: return check_text(value, maxLength);
    case ValueKind::HexText: return check_hex(value, maxLength);
    case ValueKind::TimeOfDay: return check_time_of_day(value);
    case ValueKind::HourRange: return check_hour_range(value);
    case ValueKind::NumberRange: return check_number_range(value);
    case ValueKind::ChargeRate: return check_charge_rate(value);
    case ValueKind::ProtocolCode: return check_protocol(value);
    }
    return std::nullopt;
}

} // namespace q30sim
