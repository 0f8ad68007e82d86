#include "profile/ini_syntax.h"

#include <algorithm>
#include <climits>

namespace quillon::profile {

std::string_view trim_blanks(std::string_view s)
{
    const char* blanks = " \t\r";
    const std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    const std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool same_name(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<std::string_view> section_name(std::string_view line)
{
    line = trim_blanks(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim_blanks(line.substr(1, close - 1));
}

std::optional<KeyLine> key_line(std::string_view line)
{
    const std::string_view t = trim_blanks(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trim_blanks(t.substr(0, eq)), trim_blanks(t.substr(eq + 1))};
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\'')))
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<int> leading_int(std::string_view text)
{
    std::string_view s = trim_blanks(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9')
        return std::nullopt;
    long long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = std::min<long long>(n * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    return static_cast<int>(std::clamp<long long>(negative ? -n : n, INT_MIN, INT_MAX));
}

} // namespace quillon::profile
