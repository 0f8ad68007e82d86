// Reading the decimal numbers of the device's answers.
#pragma once

#include <cstdint>
#include <string_view>

namespace q30::catalogue {

// Reads a number the way atoi does: leading white space, an optional sign,
// then digits up to the first non-digit. Unlike atoi it is defined for every
// input: values beyond the int32 range saturate at its limits, and a text
// without digits gives 0.
int32_t read_number(std::string_view text);

} // namespace q30::catalogue
