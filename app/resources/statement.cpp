#include "resources/statement.h"

#include <charconv>

namespace quillon::resources::detail {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Reads the quoted text that starts at line[pos] (the opening quote).
// Only \" and \\ are escapes.
bool read_quoted(std::string_view line, std::size_t& pos, std::string& value, std::string& error)
{
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return true;
        if (c != '\\') {
            value += c;
            continue;
        }
        if (pos >= line.size())
            break;
        const char escaped = line[pos++];
        if (escaped != '"' && escaped != '\\') {
            error = std::string("unknown escape \\") + escaped + " in a quoted text";
            return false;
        }
        value += escaped;
    }
    error = "the quoted text has no closing quote";
    return false;
}

std::string shown(const Token& token)
{
    return token.quoted ? "\"" + token.value + "\"" : token.value;
}

} // namespace

bool split_statement(std::string_view line, std::vector<Token>& tokens, std::string& error)
{
    tokens.clear();
    std::size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (is_blank(c)) {
            ++pos;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            Token token{true, {}};
            if (!read_quoted(line, pos, token.value, error))
                return false;
            tokens.push_back(std::move(token));
        } else {
            const std::size_t start = pos;
            while (pos < line.size() && !is_blank(line[pos]) && line[pos] != '#' && line[pos] != '"')
                ++pos;
            if (pos < line.size() && line[pos] == '"') {
                error = "a quote in the middle of a word";
                return false;
            }
            tokens.push_back(Token{false, std::string(line.substr(start, pos - start))});
        }
    }
    return true;
}

bool StatementReader::fail(std::string message)
{
    if (error_.empty())
        error_ = std::move(message);
    return false;
}

bool StatementReader::read_number(std::string_view what, int min, int max, int& value)
{
    if (at_end())
        return fail("the " + std::string(what) + " is missing");
    const Token& token = tokens_[next_];
    if (token.quoted)
        return fail("expected the " + std::string(what) + " (a number), found " + shown(token));
    std::string error;
    if (!parse_number(what, token.value, min, max, value, error))
        return fail(std::move(error));
    ++next_;
    return true;
}

bool parse_number(std::string_view what, std::string_view text, int min, int max, int& value, std::string& error)
{
    if (text.empty()) {
        error = "the " + std::string(what) + " is missing";
        return false;
    }
    long long number = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, number);
    if (end != last || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
        error = "expected the " + std::string(what) + " (a number), found " + std::string(text);
        return false;
    }
    if (ec == std::errc::result_out_of_range || number < min || number > max) {
        error = "the " + std::string(what) + " " + std::string(text) + " is out of range " + std::to_string(min) +
                ".." + std::to_string(max);
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

bool StatementReader::read_text(std::string_view what, std::string& value)
{
    if (at_end())
        return fail("the " + std::string(what) + " (a quoted text) is missing");
    const Token& token = tokens_[next_];
    if (!token.quoted)
        return fail("expected the " + std::string(what) + " as a quoted text, found " + token.value);
    value = token.value;
    ++next_;
    return true;
}

bool StatementReader::read_word(std::string_view what, std::string& value)
{
    if (at_end())
        return fail("the " + std::string(what) + " is missing");
    const Token& token = tokens_[next_];
    if (token.quoted)
        return fail("expected the " + std::string(what) + ", found " + shown(token));
    value = token.value;
    ++next_;
    return true;
}

bool StatementReader::expect_end()
{
    if (at_end())
        return true;
    return fail("unexpected " + shown(tokens_[next_]) + " at the end of the statement");
}

} // namespace quillon::resources::detail
