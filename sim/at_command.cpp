#include "at_command.h"

#include <cctype>

namespace q30sim {

namespace {

// Longer digit runs than this are never a valid number, port or index, and
// refusing them keeps the conversion from overflowing.
constexpr std::size_t kMaxDigits = 4;
constexpr std::string_view kPrefixSymbols = "!%\\&";

bool is_letter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

char upper(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Reads a run of digits at `pos`; false when there is none or it is too long.
bool read_digits(std::string_view text, std::size_t& pos, std::string& digits)
{
    std::size_t start = pos;
    while (pos < text.size() && is_digit(text[pos]))
        ++pos;
    digits = std::string(text.substr(start, pos - start));
    return !digits.empty() && digits.size() <= kMaxDigits;
}

std::optional<int> read_selector(std::string_view text, std::size_t& pos)
{
    std::string digits;
    if (!read_digits(text, pos, digits))
        return std::nullopt;
    return std::stoi(digits);
}

} // namespace

bool has_attention_prefix(std::string_view line)
{
    return line.size() >= 2 && upper(line[0]) == 'A' && upper(line[1]) == 'T';
}

std::optional<AtCommand> parse_command(std::string_view body)
{
    AtCommand cmd;
    std::size_t pos = 0;

    // A symbol prefix takes all the letters after it ("!P", "!DOWNLOAD"); a plain
    // letter prefix is one letter ("E", "S").
    if (pos < body.size() && kPrefixSymbols.find(body[pos]) != std::string_view::npos) {
        cmd.prefix += body[pos++];
        std::size_t letters = 0;
        while (pos < body.size() && is_letter(body[pos])) {
            cmd.prefix += upper(body[pos++]);
            ++letters;
        }
        if (letters == 0)
            return std::nullopt;
    } else if (pos < body.size() && is_letter(body[pos])) {
        cmd.prefix += upper(body[pos++]);
    }

    if (pos < body.size() && is_digit(body[pos]) && !read_digits(body, pos, cmd.number))
        return std::nullopt;
    if (pos < body.size() && body[pos] == '#') {
        ++pos;
        if (!(cmd.port = read_selector(body, pos)))
            return std::nullopt;
    }
    if (pos < body.size() && body[pos] == '*') {
        ++pos;
        if (!(cmd.index = read_selector(body, pos)))
            return std::nullopt;
    }

    std::string_view rest = body.substr(pos);
    if (rest.empty()) {
        cmd.form = Form::Action;
    } else if (rest == "?") {
        cmd.form = Form::Query;
    } else if (rest.front() == '=') {
        cmd.form = Form::Set;
        cmd.value = std::string(rest.substr(1));
    } else {
        return std::nullopt;
    }
    return cmd;
}

} // namespace q30sim
