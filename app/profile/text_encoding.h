// Text encodings a profile may arrive in: UTF-8, Windows-1252 (what older
// Windows programs wrote) and UTF-16 with a byte-order mark (what Windows
// editors write when told to save as "Unicode").
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::profile {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool is_valid_utf8(std::string_view text);

// Windows-1252 text to UTF-8; the five unassigned bytes become U+FFFD.
std::string windows1252_to_utf8(std::string_view text);

// A line as UTF-8: kept when it is valid UTF-8, else read as Windows-1252.
std::string line_to_utf8(std::string_view line);

// The first `maxChars` characters of UTF-8 text.
std::string utf8_prefix(std::string_view text, std::size_t maxChars);

enum class Utf16Order { LittleEndian, BigEndian };

// UTF-16 code units (without byte-order mark) to UTF-8; unpaired surrogates
// and a dangling odd byte become U+FFFD.
std::string utf16_to_utf8(std::string_view bytes, Utf16Order order);

// UTF-8 text to UTF-16 code units (without byte-order mark). Expects valid
// UTF-8; a byte that starts no valid sequence becomes U+FFFD.
std::string utf8_to_utf16(std::string_view text, Utf16Order order);

} // namespace quillon::profile
