// One profile file in INI format, read once, changed in memory and written
// back whole in one step.
//
// Reading never fails: a missing, unreadable or garbled file reads as
// defaults. Files written on Windows load unchanged: CRLF line ends, lines
// in Windows-1252 beside lines in UTF-8 (decided line by line), a UTF-8
// byte-order mark, and UTF-16 with a byte-order mark. A commit keeps the
// file's encoding (UTF-8, with or without mark, or UTF-16 in its byte
// order), writes LF line ends, and keeps the other sections, keys, comments
// and their order. Section and key names match without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "profile/write_result.h"

namespace quillon::profile {

// Values longer than this (in characters) are cut when read, as the
// program's 50-character buffers always did.
inline constexpr std::size_t kDefaultMaxChars = 49;

enum class FileEncoding { Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

class IniDocument {
public:
    // Reads the file at `path` once. Never throws; see exists(), readable().
    static IniDocument open(const std::string& path);
    // A document of the given file content, bound to no file (commit fails).
    static IniDocument from_bytes(std::string_view bytes);

    const std::string& path() const { return path_; }
    bool exists() const { return exists_; }      // the file was there
    bool readable() const { return readable_; }  // it was read: false when too large, no regular file, unreadable
    const std::string& error() const { return error_; }  // why it was not read, for the user
    FileEncoding encoding() const { return encoding_; }

    bool has_section(std::string_view section) const;
    // The keys of a section in file order, each once (the spelling of its
    // first line); a key read_string would find.
    std::vector<std::string> keys(std::string_view section) const;

    // The value, or `fallback` when the key is missing from its section; at
    // most `maxChars` characters, never splitting a UTF-8 sequence.
    std::string read_string(std::string_view section, std::string_view key, std::string_view fallback,
                            std::size_t maxChars = kDefaultMaxChars) const;
    // The integer at the start of the value (after blanks, with a sign), or
    // `fallback` when the key is missing or holds no number.
    int read_int(std::string_view section, std::string_view key, int fallback) const;

    // Sets a value in memory. False, changing nothing, for what a profile
    // cannot hold: a line break or NUL anywhere, an empty key or section, '='
    // in a key, ']' in a section, blanks around a name, a key that would read
    // as a comment or section, or text that is not UTF-8.
    bool write_string(std::string_view section, std::string_view key, std::string_view value);
    bool write_int(std::string_view section, std::string_view key, int value);

    // Whether a write changed something since the file was read or committed.
    bool dirty() const { return dirty_; }

    // Writes the whole file in one step (see atomic_file.h) when dirty;
    // succeeds at once when not. Never overwrites a file that was there but
    // could not be read.
    WriteResult commit();

    // The bytes a commit writes.
    std::string to_bytes() const;

private:
    std::string path_;
    bool exists_ = false;
    bool readable_ = false;
    std::string error_;
    FileEncoding encoding_ = FileEncoding::Utf8;
    std::vector<std::string> lines_;  // UTF-8, without line ends
    bool dirty_ = false;

    void decode(std::string_view bytes);
};

} // namespace quillon::profile
