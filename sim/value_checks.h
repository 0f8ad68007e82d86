// How the device checks a value it is asked to store, and the form it keeps
// it in: a digit register takes its digits only, an MSN 0..15 digits, hours
// 0..23, and so on.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "models.h"

namespace q30sim {

enum class ValueKind {
    Switch,       // "0" or "1"; "=" alone switches off
    Number,       // decimal digits, low..high
    Digits,       // 0..high decimal digits (MSNs, predials, area codes)
    DialString,   // 0..high digits, or "*" and a port number of the model
    Text,         // 0..high printable characters
    HexText,      // 0..high hexadecimal digits
    TimeOfDay,    // "hh:mm"
    HourRange,    // "hh-hh", from 0..23 below till 1..24; "=" alone or 00-00 clears
    NumberRange,  // "first-last": equal lengths of 1..5 digits, each starting with "0"
    ChargeRate,   // digits with at most one "," or ".", below 10000 before it
    ProtocolCode, // one of the data protocol codes 95, 2, 1, 5, 3, 4, 92, 90
};

struct ValueRule {
    ValueKind kind = ValueKind::Switch;
    int low = 0;
    int high = 0;
};

// The value in the form the device keeps and reports, or nothing when the
// device refuses it.
std::optional<std::string> check_value(const ValueRule& rule, std::string_view value, Model model);

// Decimal digits only, 1..`maxLength` of them.
bool all_digits(std::string_view text, std::size_t maxLength);

// The value of a text of 1..9 decimal digits, or nothing.
std::optional<int> decimal_value(std::string_view text);

} // namespace q30sim
