// Walking the lines of a resource file: every line handed on is valid UTF-8,
// without control characters other than TAB, and of a sane length.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources::detail {

// The longest help text is about 2 KB; a much longer line is damage.
inline constexpr std::size_t kMaxLineLength = 16 * 1024;
// After this many problems a file is taken to be no resource file at all.
inline constexpr std::size_t kMaxErrorsPerFile = 50;

bool is_valid_utf8(std::string_view text);

// Calls `handle(line, lineNumber)` for each line (numbered from 1) without
// its line end (LF or CR LF) and, on the first line, without a UTF-8 byte
// order mark. Lines that are too long, invalid UTF-8 or hold control
// characters are reported and skipped. Stops with a last error when the
// file has produced too many errors.
void for_each_line(std::string_view text, const std::string& fileName, std::vector<ParseError>& errors,
                   const std::function<void(std::string_view line, int lineNumber)>& handle);

} // namespace quillon::resources::detail
