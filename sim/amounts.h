// Charge amounts: counted in thousandths of the currency unit, written with
// three decimals and a comma ("1,234").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace q30sim {

using MilliAmount = std::int64_t;

// "1,234", followed by one blank and the unit when there is one.
std::string format_amount(MilliAmount amount, std::string_view unit);

// The amount of a charge rate text such as "0,12" or "0.125"; 0 when it holds none.
MilliAmount parse_charge_rate(std::string_view text);

} // namespace q30sim
