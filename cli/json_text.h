// The little JSON the commands print: string literals and missing values.
#pragma once

#include <optional>
#include <string>

namespace quillon::cli {

// A JSON string literal of UTF-8 text.
std::string json_string(const std::string& text);
// A string, or null for nothing.
std::string json_value(const std::optional<std::string>& value);

} // namespace quillon::cli
