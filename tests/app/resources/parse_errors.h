// The line numbers of parse errors, for tests that check where a loader complained.
#pragma once

#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources::testing {

inline std::vector<int> error_lines(const std::vector<ParseError>& errors)
{
    std::vector<int> lines;
    for (const ParseError& e : errors)
        lines.push_back(e.line);
    return lines;
}

} // namespace quillon::resources::testing
