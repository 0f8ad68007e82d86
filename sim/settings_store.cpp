#include "settings_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

namespace q30sim {

namespace {

constexpr std::string_view kCommandPrefix = "AT";
constexpr std::string_view kHeader = "# q30sim stored settings: one setting command per line\n";
constexpr std::size_t kMaxStateFileBytes = 1 << 20;
constexpr std::size_t kMaxStateLineLength = 512;

std::string directory_of(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool write_all(int fd, const std::string& text)
{
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string SettingsStore::get(const std::string& key, std::string_view initial) const
{
    auto it = values_.find(key);
    return it == values_.end() ? std::string(initial) : it->second;
}

void SettingsStore::set(const std::string& key, std::string value)
{
    values_[key] = std::move(value);
}

void SettingsStore::erase(const std::string& key)
{
    values_.erase(key);
}

std::vector<std::string> SettingsStore::as_command_lines() const
{
    std::vector<std::string> lines;
    lines.reserve(values_.size());
    for (const auto& [key, value] : values_)
        lines.push_back(std::string(kCommandPrefix) + key + "=" + value);
    return lines;
}

bool write_state_file(const std::string& path, const std::vector<std::string>& lines, std::string& error)
{
    std::string text(kHeader);
    for (const auto& line : lines)
        text += line + "\n";
    return write_file_atomically(path, text, error);
}

bool write_file_atomically(const std::string& path, const std::string& text, std::string& error)
{
    std::string temp = directory_of(path) + "/.q30sim-XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file beside " + path + ": " + std::strerror(errno);
        return false;
    }
    bool written = write_all(fd, text) && ::fsync(fd) == 0;
    int writeErrno = errno;
    bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        error = "cannot write " + temp + ": " + std::strerror(written ? errno : writeErrno);
        ::unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

StateFileRead read_state_file(const std::string& path, std::vector<std::string>& lines, std::string& error)
{
    lines.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT)
            return StateFileRead::Missing;
        error = "cannot open: " + std::string(std::strerror(errno));
        return StateFileRead::Unreadable;
    }
    // Read in small blocks and at most one byte more than allowed, so a small
    // file costs little memory and a huge one no more than the limit.
    std::string text;
    char block[4096];
    while (text.size() <= kMaxStateFileBytes && in) {
        const std::size_t wanted = std::min(sizeof block, kMaxStateFileBytes + 1 - text.size());
        in.read(block, static_cast<std::streamsize>(wanted));
        text.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        error = "read error";
        return StateFileRead::Unreadable;
    }
    if (text.size() > kMaxStateFileBytes) {
        error = "larger than " + std::to_string(kMaxStateFileBytes) + " bytes";
        return StateFileRead::Unreadable;
    }
    std::size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() > kMaxStateLineLength) {
            error = "line " + std::to_string(number) + " is too long";
            return StateFileRead::Unreadable;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        lines.push_back(std::move(line));
    }
    return StateFileRead::Read;
}

} // namespace q30sim
