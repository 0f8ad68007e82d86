#include "resources/string_table.h"

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <set>

#include "resources/resource_files.h"
#include "resources/string_file.h"

namespace quillon::resources {

namespace {

// Indexed by language: 0 English, 1 German, 2 French.
constexpr std::array<std::string_view, kLanguageCount> kLanguageFiles = {"en.strings", "de.strings", "fr.strings"};
constexpr std::string_view kCommonFile = "common.strings";
constexpr int kGroupSize = 5;

const std::string kNoText;

void insert_entries(std::unordered_map<int, std::string>& texts, std::vector<detail::StringEntry>& entries,
                    int languageOffset, const std::string& fileName, std::vector<ParseError>& errors)
{
    for (detail::StringEntry& entry : entries) {
        const long long sum = static_cast<long long>(entry.id) + languageOffset;
        if (sum < INT_MIN || sum > INT_MAX) {
            detail::add_error(errors, fileName, entry.line, "the id " + std::to_string(sum) + " does not fit");
            continue;
        }
        const int id = static_cast<int>(sum);
        if (!texts.try_emplace(id, std::move(entry.text)).second)
            detail::add_error(errors, fileName, entry.line, "the id " + std::to_string(id) + " is defined twice");
    }
}

// A language file holds group bases only; anything else would collide with
// the texts of another language.
void drop_non_bases(std::vector<detail::StringEntry>& entries, const std::string& fileName,
                    std::vector<ParseError>& errors)
{
    std::erase_if(entries, [&](const detail::StringEntry& entry) {
        if (entry.id % kGroupSize == 0)
            return false;
        detail::add_error(errors, fileName, entry.line,
                          "the id " + std::to_string(entry.id) + " is not a base (a multiple of 5)");
        return true;
    });
}

// Every base must be in every language; a missing one shows the English text.
void report_missing_bases(const std::map<int, std::set<int>>& basesByLanguage,
                          const std::map<int, std::string>& fileByLanguage, std::vector<ParseError>& errors)
{
    std::set<int> allBases;
    for (const auto& [language, bases] : basesByLanguage)
        allBases.insert(bases.begin(), bases.end());
    for (const auto& [language, bases] : basesByLanguage) {
        for (const int base : allBases) {
            if (bases.count(base))
                continue;
            const std::string fallback = language == 0 ? "it has no text" : "the English text is shown";
            detail::add_error(errors, fileByLanguage.at(language), 0,
                              "the base " + std::to_string(base) + " is missing; " + fallback);
        }
    }
}

} // namespace

// The texts of one folder: en.strings, de.strings and fr.strings side by side.
bool StringTable::load_language_files(const std::string& directory, std::vector<ParseError>& errors)
{
    bool allRead = true;
    std::map<int, std::set<int>> basesByLanguage;
    std::map<int, std::string> fileByLanguage;
    for (int language = 0; language < kLanguageCount; ++language) {
        const std::string path = detail::join_path(directory, kLanguageFiles[language]);
        std::string text;
        if (!detail::read_resource_file(path, text, errors)) {
            allRead = false;
            continue;
        }
        std::vector<detail::StringEntry> entries = detail::parse_string_file(text, path, errors);
        drop_non_bases(entries, path, errors);
        std::set<int>& bases = basesByLanguage[language];
        for (const detail::StringEntry& entry : entries)
            bases.insert(entry.id);
        fileByLanguage[language] = path;
        insert_entries(texts_, entries, language, path, errors);
    }
    report_missing_bases(basesByLanguage, fileByLanguage, errors);
    return allRead;
}

// The shell's texts lie in the folder itself; each page or dialog may keep
// its own in a subfolder of the same three files.
bool StringTable::load_directory(const std::string& directory, std::vector<ParseError>& errors)
{
    bool allRead = load_language_files(directory, errors);
    for (const std::string& area : detail::subfolders(directory))
        if (!area.ends_with(".strings"))  // a folder in a file's place is reported as that file
            allRead = load_language_files(detail::join_path(directory, area), errors) && allRead;

    const std::string commonPath = detail::join_path(directory, kCommonFile);
    std::string text;
    if (detail::read_resource_file(commonPath, text, errors))
        add_file_text(text, 0, commonPath, errors);
    else
        allRead = false;
    return allRead;
}

void StringTable::add_file_text(std::string_view text, int languageOffset, const std::string& fileName,
                                std::vector<ParseError>& errors)
{
    std::vector<detail::StringEntry> entries = detail::parse_string_file(text, fileName, errors);
    insert_entries(texts_, entries, languageOffset, fileName, errors);
}

const std::string& StringTable::get(int id) const
{
    const auto it = texts_.find(id);
    return it == texts_.end() ? kNoText : it->second;
}

const std::string& StringTable::get(int base, int language) const
{
    language = std::clamp(language, 0, kLanguageCount - 1);
    if (base > INT_MAX - language)
        return kNoText;
    const auto it = texts_.find(base + language);
    return it != texts_.end() ? it->second : get(base);
}

} // namespace quillon::resources
