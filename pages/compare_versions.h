// Comparing firmware version texts such as "1.3.4".
#pragma once

#include <string_view>

namespace quillon {

inline constexpr int kVersionLower = 2;   // a is lower than b
inline constexpr int kVersionEqual = 1;
inline constexpr int kVersionHigher = 0;  // a is higher than b

// Each of up to four dot-separated parts is read in base 70 ("0".."9" = 0..9,
// "a".."z" = 10..35, "A".."Z" = 40..65) and scaled as if left-aligned to
// three characters, so "1.3.10" counts as lower than "1.3.4". Parts beyond
// the fourth are ignored; a part longer than three characters counts its
// first three.
int CompareVersions(std::string_view a, std::string_view b);

} // namespace quillon
