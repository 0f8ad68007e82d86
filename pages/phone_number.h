// What a typed phone number may hold: up to 15 digits, nothing else.
#pragma once

#include <string_view>

namespace quillon {

inline constexpr std::size_t kMaxPhoneDigits = 15;

inline bool is_phone_number_text(std::string_view text)
{
    if (text.size() > kMaxPhoneDigits)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace quillon
