// Profile files in INI format: sections, keys and values, as the program's
// profiles and settings files hold them.
//
// Reading never fails: a missing, unreadable or garbled file reads as
// defaults. Writing rewrites the whole file through a temporary file in the
// same folder and renames it over the old one, so a failed write leaves the
// old file as it was; other sections, keys, comments and their order stay.
// Files written on Windows load unchanged: CRLF line ends, and text in
// Windows-1252 when it is not valid UTF-8. Files are written as UTF-8 with
// LF line ends. Section and key names match without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::profile {

// Values longer than this (in characters) are cut when read, as the
// program's 50-character buffers always did.
inline constexpr std::size_t kDefaultMaxChars = 49;

// The integer at the start of the value (after blanks, with a sign), or
// `fallback` when the key is missing or holds no number.
int read_int(const std::string& path, std::string_view section, std::string_view key, int fallback);

// The value, or `fallback` when the key is missing; at most `maxChars`
// characters, never splitting a UTF-8 sequence.
std::string read_string(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t maxChars = kDefaultMaxChars);

struct WriteResult {
    bool ok = true;
    std::string error;  // why not, for the user: "Permission denied"
};

WriteResult write_string(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value);
WriteResult write_int(const std::string& path, std::string_view section, std::string_view key, int value);

// Windows-1252 text to UTF-8 (used for files that are not valid UTF-8).
std::string windows1252_to_utf8(std::string_view text);
bool is_valid_utf8(std::string_view text);
// The first `maxChars` characters of UTF-8 text.
std::string utf8_prefix(std::string_view text, std::size_t maxChars);

} // namespace quillon::profile
