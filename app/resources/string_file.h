// One .strings file: "<id><TAB><text>" per line, '#' at the start of a line
// for a comment, \n \t \\ as escapes in the text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources::detail {

struct StringEntry {
    int id = 0;
    int line = 0;
    std::string text;  // escapes resolved
};

// The entries in file order; bad lines are reported and left out.
std::vector<StringEntry> parse_string_file(std::string_view text, const std::string& fileName,
                                           std::vector<ParseError>& errors);

} // namespace quillon::resources::detail
