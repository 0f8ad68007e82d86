// The string table: texts in groups of five ids, base + language (0
// English, 1 German, 2 French). Read from res/strings/en.strings,
// de.strings, fr.strings (bases) and common.strings (single ids):
//   <id><TAB><text>     with \n, \t and \\ as escapes; '#' starts a comment.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "resources/dialog_template.h"

namespace quillon::resources {

inline constexpr int kLanguageCount = 3;

class StringTable {
public:
    // Reads the four files of a folder, and the three language files of
    // each of its subfolders; missing files and bad lines are reported in
    // `errors`, the rest is kept.
    bool load_directory(const std::string& directory, std::vector<ParseError>& errors);
    // Adds the entries of one file; `languageOffset` is added to every id
    // (0, 1, 2 for the language files, 0 for common.strings).
    void add_file_text(std::string_view text, int languageOffset, const std::string& fileName,
                       std::vector<ParseError>& errors);

    // The text of an id; an empty text when there is none.
    const std::string& get(int id) const;
    bool has(int id) const { return texts_.count(id) != 0; }
    // base + language, with language clamped to 0..2.
    const std::string& get(int base, int language) const;
    std::size_t size() const { return texts_.size(); }

private:
    bool load_language_files(const std::string& directory, std::vector<ParseError>& errors);

    std::unordered_map<int, std::string> texts_;
};

} // namespace quillon::resources
