// One-key access to profile files, for callers that read or write a single
// value. Each call reads the file; each write commits it. To read or write
// many keys, open one IniDocument instead (ini_document.h): one read, one
// write.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "profile/ini_document.h"
#include "profile/text_encoding.h"
#include "profile/write_result.h"

namespace quillon::profile {

int read_int(const std::string& path, std::string_view section, std::string_view key, int fallback);

std::string read_string(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t maxChars = kDefaultMaxChars);

WriteResult write_string(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value);
WriteResult write_int(const std::string& path, std::string_view section, std::string_view key, int value);

} // namespace quillon::profile
