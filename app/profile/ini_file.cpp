#include "profile/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::profile {

namespace {

// Profiles are small; anything larger is not one of ours.
constexpr std::size_t kMaxFileBytes = 4 * 1024 * 1024;

struct FileText {
    bool exists = false;
    bool readable = false;
    std::string error;
    std::vector<std::string> lines;  // UTF-8, without line ends
};

std::string_view trim(std::string_view s)
{
    const char* blanks = " \t\r";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

bool same_name(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::vector<std::string> split_lines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

FileText load(const std::string& path)
{
    FileText f;
    struct stat st{};
    if (stat(path.c_str(), &st) != 0) {
        f.error = std::strerror(errno);
        return f;
    }
    f.exists = true;
    if (!S_ISREG(st.st_mode)) {
        f.error = "not a regular file";
        return f;
    }
    if (static_cast<std::size_t>(st.st_size) > kMaxFileBytes) {
        f.error = "file too large";
        return f;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        f.error = std::strerror(errno);
        return f;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > kMaxFileBytes) {
        f.error = "file too large";
        return f;
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    f.readable = true;
    f.lines = split_lines(is_valid_utf8(bytes) ? bytes : windows1252_to_utf8(bytes));
    return f;
}

std::optional<std::string_view> section_name(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> key_line(std::string_view line)
{
    std::string_view t = trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[')
        return std::nullopt;
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return KeyLine{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

// A value in matching quotes loses them, as the Windows functions did.
std::string_view unquote(std::string_view v)
{
    if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
        return v.substr(1, v.size() - 2);
    return v;
}

std::optional<std::string> find_value(const FileText& f, std::string_view section, std::string_view key)
{
    bool inSection = false;
    for (const std::string& line : f.lines) {
        if (auto name = section_name(line)) {
            inSection = same_name(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = key_line(line); kv && same_name(kv->key, key))
            return std::string(unquote(kv->value));
    }
    return std::nullopt;
}

WriteResult write_lines_atomically(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
        return {false, std::strerror(errno)};
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            int err = errno;
            ::close(fd);
            ::unlink(name.data());
            return {false, std::strerror(err ? err : EIO)};
        }
        done += static_cast<std::size_t>(n);
    }
    if (fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(name.data());
        return {false, std::strerror(err)};
    }
    // Keep the old file's permissions; a new file gets the usual ones.
    struct stat st{};
    mode_t mode = stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : (0666 & ~[] {
        mode_t m = umask(0);
        umask(m);
        return m;
    }());
    chmod(name.data(), mode);
    if (std::rename(name.data(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(name.data());
        return {false, std::strerror(err)};
    }
    return {};
}

bool has_line_break(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

bool is_valid_utf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2))
            return false;
        if (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size())
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string windows1252_to_utf8(std::string_view text)
{
    // 0x80..0x9F differ from Latin-1; undefined bytes become U+FFFD.
    static const char16_t k80to9F[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (unsigned char c : text) {
        char32_t cp = c < 0x80 ? c : (c < 0xA0 ? k80to9F[c - 0x80] : c);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::string utf8_prefix(std::string_view text, std::size_t maxChars)
{
    std::size_t i = 0;
    std::size_t chars = 0;
    while (i < text.size() && chars < maxChars) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
        ++chars;
    }
    return std::string(text.substr(0, i));
}

int read_int(const std::string& path, std::string_view section, std::string_view key, int fallback)
{
    std::optional<std::string> v = find_value(load(path), section, key);
    if (!v)
        return fallback;
    std::string_view s = trim(*v);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() < '0' || s.front() > '9')
        return fallback;
    long long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = std::min<long long>(n * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    n = negative ? -n : n;
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

std::string read_string(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t maxChars)
{
    std::optional<std::string> v = find_value(load(path), section, key);
    return utf8_prefix(v ? std::string_view(*v) : fallback, maxChars);
}

WriteResult write_string(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value)
{
    if (has_line_break(section) || has_line_break(key) || has_line_break(value) || key.empty() ||
        key.find('=') != std::string_view::npos)
        return {false, "the value cannot be stored in a profile"};
    FileText f = load(path);
    if (f.exists && !f.readable)
        return {false, f.error};

    const std::string entry = std::string(key) + "=" + std::string(value);
    std::vector<std::string>& lines = f.lines;
    bool inSection = false;
    std::optional<std::size_t> sectionEnd;  // one past the last key line of the section
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = section_name(lines[i])) {
            inSection = same_name(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (auto kv = key_line(lines[i])) {
            if (same_name(kv->key, key)) {
                lines[i] = entry;
                return write_lines_atomically(path, lines);
            }
        }
        if (!trim(lines[i]).empty())
            sectionEnd = i + 1;
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<long>(*sectionEnd), entry);
    } else {
        if (!lines.empty() && !trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    }
    return write_lines_atomically(path, lines);
}

WriteResult write_int(const std::string& path, std::string_view section, std::string_view key, int value)
{
    return write_string(path, section, key, std::to_string(value));
}

} // namespace quillon::profile
