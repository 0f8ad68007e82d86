#include "profile/ini_document.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "profile/atomic_file.h"
#include "profile/ini_syntax.h"
#include "profile/text_encoding.h"

namespace quillon::profile {

namespace {

// Profiles are small; anything larger is not one of ours.
constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::string_view> split_lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// Reads at most kMaxFileBytes + 1 bytes: enough to tell a file too large.
bool read_bytes(const std::string& path, std::string& bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    bytes.resize(kMaxFileBytes + 1);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    if (done > kMaxFileBytes) {
        error = "file too large";
        return false;
    }
    return true;
}

bool has_forbidden_char(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) != s.npos; }

bool is_storable_name(std::string_view name) { return !name.empty() && trim_blanks(name) == name; }

bool can_store(std::string_view section, std::string_view key, std::string_view value)
{
    if (has_forbidden_char(section) || has_forbidden_char(key) || has_forbidden_char(value))
        return false;
    if (!is_storable_name(section) || section.find(']') != section.npos)
        return false;
    if (!is_storable_name(key) || key.find('=') != key.npos || key.front() == '[' || key.front() == ';' ||
        key.front() == '#')
        return false;
    return is_valid_utf8(section) && is_valid_utf8(key) && is_valid_utf8(value);
}

} // namespace

IniDocument IniDocument::open(const std::string& path)
{
    IniDocument doc;
    doc.path_ = path;
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) {
        // A missing file is no error; anything else (a folder we may not
        // search) may hide a file that must not be overwritten.
        if (errno != ENOENT && errno != ENOTDIR) {
            doc.exists_ = true;
            doc.error_ = std::strerror(errno);
        }
        return doc;
    }
    doc.exists_ = true;
    if (!S_ISREG(st.st_mode)) {
        doc.error_ = "not a regular file";
        return doc;
    }
    if (static_cast<std::size_t>(st.st_size) > kMaxFileBytes) {
        doc.error_ = "file too large";
        return doc;
    }
    std::string bytes;
    if (!read_bytes(path, bytes, doc.error_))
        return doc;
    doc.readable_ = true;
    doc.decode(bytes);
    return doc;
}

IniDocument IniDocument::from_bytes(std::string_view bytes)
{
    IniDocument doc;
    doc.exists_ = true;
    doc.readable_ = true;
    doc.decode(bytes);
    return doc;
}

void IniDocument::decode(std::string_view bytes)
{
    lines_.clear();
    if (starts_with(bytes, kUtf16LittleEndianMark) || starts_with(bytes, kUtf16BigEndianMark)) {
        const bool little = starts_with(bytes, kUtf16LittleEndianMark);
        encoding_ = little ? FileEncoding::Utf16LittleEndian : FileEncoding::Utf16BigEndian;
        const std::string text = utf16_to_utf8(bytes.substr(2), little ? Utf16Order::LittleEndian : Utf16Order::BigEndian);
        for (std::string_view line : split_lines(text))
            lines_.emplace_back(line);
        return;
    }
    encoding_ = FileEncoding::Utf8;
    if (starts_with(bytes, kUtf8Mark)) {
        encoding_ = FileEncoding::Utf8WithMark;
        bytes.remove_prefix(kUtf8Mark.size());
    }
    // Line by line: a Windows-1252 line must not garble the UTF-8 ones.
    for (std::string_view line : split_lines(bytes))
        lines_.push_back(line_to_utf8(line));
}

std::string IniDocument::to_bytes() const
{
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += '\n';
    }
    switch (encoding_) {
    case FileEncoding::Utf8:
        return text;
    case FileEncoding::Utf8WithMark:
        return std::string(kUtf8Mark) + text;
    case FileEncoding::Utf16LittleEndian:
        return std::string(kUtf16LittleEndianMark) + utf8_to_utf16(text, Utf16Order::LittleEndian);
    case FileEncoding::Utf16BigEndian:
        return std::string(kUtf16BigEndianMark) + utf8_to_utf16(text, Utf16Order::BigEndian);
    }
    return text;
}

bool IniDocument::has_section(std::string_view section) const
{
    for (const std::string& line : lines_)
        if (auto name = section_name(line); name && same_name(*name, section))
            return true;
    return false;
}

namespace {

// The first line holding `key` in a section named `section` (sections may
// repeat), or nothing.
std::optional<std::size_t> find_key(const std::vector<std::string>& lines, std::string_view section,
                                    std::string_view key)
{
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = section_name(lines[i])) {
            inSection = same_name(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = key_line(lines[i]); kv && same_name(kv->key, key))
            return i;
    }
    return std::nullopt;
}

// Where a new key of `section` goes: after the last non-blank line of the
// section's last occurrence; nothing when the section is missing.
std::optional<std::size_t> insertion_point(const std::vector<std::string>& lines, std::string_view section)
{
    bool inSection = false;
    std::optional<std::size_t> end;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = section_name(lines[i])) {
            inSection = same_name(*name, section);
            if (inSection)
                end = i + 1;
        } else if (inSection && !trim_blanks(lines[i]).empty()) {
            end = i + 1;
        }
    }
    return end;
}

} // namespace

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> out;
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (auto name = section_name(line)) {
            inSection = same_name(*name, section);
            continue;
        }
        const std::optional<KeyLine> kv = inSection ? key_line(line) : std::nullopt;
        if (!kv)
            continue;
        auto same_key = [&](const std::string& k) { return same_name(k, kv->key); };
        if (std::none_of(out.begin(), out.end(), same_key))
            out.emplace_back(kv->key);
    }
    return out;
}

std::string IniDocument::read_string(std::string_view section, std::string_view key, std::string_view fallback,
                                     std::size_t maxChars) const
{
    const std::optional<std::size_t> at = find_key(lines_, section, key);
    return utf8_prefix(at ? unquote(key_line(lines_[*at])->value) : fallback, maxChars);
}

int IniDocument::read_int(std::string_view section, std::string_view key, int fallback) const
{
    const std::optional<std::size_t> at = find_key(lines_, section, key);
    if (!at)
        return fallback;
    return leading_int(unquote(key_line(lines_[*at])->value)).value_or(fallback);
}

bool IniDocument::write_string(std::string_view section, std::string_view key, std::string_view value)
{
    if (!can_store(section, key, value))
        return false;
    std::string entry = std::string(key) + "=" + std::string(value);
    if (const std::optional<std::size_t> at = find_key(lines_, section, key)) {
        if (lines_[*at] != entry) {
            lines_[*at] = std::move(entry);
            dirty_ = true;
        }
        return true;
    }
    if (const std::optional<std::size_t> end = insertion_point(lines_, section)) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*end), std::move(entry));
    } else {
        if (!lines_.empty() && !trim_blanks(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(entry));
    }
    dirty_ = true;
    return true;
}

bool IniDocument::write_int(std::string_view section, std::string_view key, int value)
{
    return write_string(section, key, std::to_string(value));
}

WriteResult IniDocument::commit()
{
    if (!dirty_)
        return {true, {}, path_};
    if (path_.empty())
        return {false, "no file name", path_};
    if (exists_ && !readable_)
        return {false, error_, path_};
    WriteResult result = replace_file(path_, to_bytes());
    if (result.ok) {
        dirty_ = false;
        exists_ = true;
        readable_ = true;
    }
    return result;
}

} // namespace quillon::profile
