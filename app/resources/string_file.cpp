#include "resources/string_file.h"

#include <charconv>

#include "resources/resource_files.h"
#include "resources/resource_limits.h"
#include "resources/text_lines.h"

namespace quillon::resources::detail {

namespace {

bool is_comment_or_blank(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

bool parse_id(std::string_view digits, int& id, std::string& error)
{
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(digits.data(), last, id);
    if (digits.empty() || end != last || ec == std::errc::invalid_argument) {
        error = "the line does not start with an id and a TAB";
        return false;
    }
    if (ec == std::errc::result_out_of_range || id < 0 || id > kMaxResourceId) {
        error = "the id " + std::string(digits) + " is out of range 0.." + std::to_string(kMaxResourceId);
        return false;
    }
    return true;
}

bool unescape(std::string_view raw, std::string& text, std::string& error)
{
    text.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            text += raw[i];
            continue;
        }
        if (++i == raw.size()) {
            error = "the text ends in a lone backslash";
            return false;
        }
        switch (raw[i]) {
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case '\\': text += '\\'; break;
        default:
            error = std::string("unknown escape \\") + raw[i];
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<StringEntry> parse_string_file(std::string_view text, const std::string& fileName,
                                           std::vector<ParseError>& errors)
{
    std::vector<StringEntry> entries;
    for_each_line(text, fileName, errors, [&](std::string_view line, int lineNumber) {
        if (is_comment_or_blank(line))
            return;
        const std::size_t tab = line.find('\t');
        std::string error;
        StringEntry entry;
        entry.line = lineNumber;
        if (tab == std::string_view::npos) {
            error = "the line does not start with an id and a TAB";
        } else if (parse_id(line.substr(0, tab), entry.id, error)) {
            unescape(line.substr(tab + 1), entry.text, error);
        }
        if (!error.empty())
            add_error(errors, fileName, lineNumber, std::move(error));
        else
            entries.push_back(std::move(entry));
    });
    return entries;
}

} // namespace quillon::resources::detail
