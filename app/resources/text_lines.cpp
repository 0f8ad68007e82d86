#include "resources/text_lines.h"

#include "resources/resource_files.h"

namespace quillon::resources::detail {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool has_control_character(std::string_view line)
{
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c < 0x20 && c != '\t') || c == 0x7F)
            return true;
    }
    return false;
}

} // namespace

bool is_valid_utf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t trailing = 0;
        char32_t codePoint = 0;
        char32_t smallest = 0;  // below it the sequence is an overlong form
        if ((lead & 0xE0) == 0xC0) {
            trailing = 1;
            codePoint = lead & 0x1F;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            trailing = 2;
            codePoint = lead & 0x0F;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            trailing = 3;
            codePoint = lead & 0x07;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i <= trailing)
            return false;
        for (std::size_t k = 1; k <= trailing; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (!is_continuation(c))
                return false;
            codePoint = (codePoint << 6) | (c & 0x3F);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += trailing + 1;
    }
    return true;
}

void for_each_line(std::string_view text, const std::string& fileName, std::vector<ParseError>& errors,
                   const std::function<void(std::string_view line, int lineNumber)>& handle)
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    const std::size_t errorsBefore = errors.size();
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        if (errors.size() - errorsBefore >= kMaxErrorsPerFile) {
            add_error(errors, fileName, lineNumber, "too many errors; the rest of the file is skipped");
            return;
        }
        ++lineNumber;
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r'))
            line.remove_suffix(1);

        if (line.size() > kMaxLineLength)
            add_error(errors, fileName, lineNumber, "the line is too long");
        else if (!is_valid_utf8(line))
            add_error(errors, fileName, lineNumber, "the line is not valid UTF-8");
        else if (has_control_character(line))
            add_error(errors, fileName, lineNumber, "the line holds a control character");
        else
            handle(line, lineNumber);
    }
}

} // namespace quillon::resources::detail
