// The syntax of one INI line, as the Windows profile functions read it:
// "[section]", "key=value", and ';' or '#' comments; blanks around names and
// values do not count.
#pragma once

#include <optional>
#include <string_view>

namespace quillon::profile {

std::string_view trim_blanks(std::string_view s);

// Equal without regard to ASCII case.
bool same_name(std::string_view a, std::string_view b);

// The name of a "[section]" line.
std::optional<std::string_view> section_name(std::string_view line);

struct KeyLine {
    std::string_view key;
    std::string_view value;  // as written, quotes kept
};
std::optional<KeyLine> key_line(std::string_view line);

// A value in matching quotes loses them.
std::string_view unquote(std::string_view value);

// The integer at the start of `text` (after blanks, with a sign), clamped to
// int; nothing when there is no digit.
std::optional<int> leading_int(std::string_view text);

} // namespace quillon::profile
