// The statements of menu and dialog files: keywords, numbers and quoted
// texts separated by blanks; '#' outside quotes starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon::resources::detail {

struct Token {
    bool quoted = false;  // a text between double quotes (escapes resolved)
    std::string value;
};

// Splits one line. False, with the reason in `error`, on an unterminated
// quote, an unknown escape or a quote in the middle of a word.
bool split_statement(std::string_view line, std::vector<Token>& tokens, std::string& error);

// `text` as a whole number in min..max; `what` names it in the error.
bool parse_number(std::string_view what, std::string_view text, int min, int max, int& value, std::string& error);

// Takes the tokens of a statement one after another; the first failure
// leaves its reason in error().
class StatementReader {
public:
    explicit StatementReader(const std::vector<Token>& tokens, std::size_t first = 0)
        : tokens_(tokens), next_(first) {}

    bool at_end() const { return next_ >= tokens_.size(); }
    const Token& peek() const { return tokens_[next_]; }
    // A whole number in min..max; `what` names it in the error.
    bool read_number(std::string_view what, int min, int max, int& value);
    bool read_text(std::string_view what, std::string& value);
    bool read_word(std::string_view what, std::string& value);
    // Succeeds when nothing follows.
    bool expect_end();
    const std::string& error() const { return error_; }

private:
    bool fail(std::string message);

    const std::vector<Token>& tokens_;
    std::size_t next_;
    std::string error_;
};

} // namespace quillon::resources::detail
