// Reading resource files and listing resource folders, with every problem
// reported as a ParseError instead of an exception.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources::detail {

// A resource file is text of a few kilobytes; anything much bigger is not one.
inline constexpr std::size_t kMaxResourceFileSize = 4 * 1024 * 1024;

void add_error(std::vector<ParseError>& errors, const std::string& file, int line, std::string message);

// Reads a whole file into `text`. False, with the reason in `errors`, when
// the file is missing, not a regular file, unreadable or too large.
bool read_resource_file(const std::string& path, std::string& text, std::vector<ParseError>& errors);

// The regular files of `directory` whose names end in `extension` (".dlg"),
// sorted by name. False, with the reason in `errors`, when the folder cannot
// be listed.
bool list_resource_files(const std::string& directory, std::string_view extension, std::vector<std::string>& paths,
                         std::vector<ParseError>& errors);

// The names of the folders directly inside `directory`, sorted; none when
// it cannot be listed.
std::vector<std::string> subfolders(const std::string& directory);

// `directory` + "/" + `name`.
std::string join_path(const std::string& directory, std::string_view name);

} // namespace quillon::resources::detail
