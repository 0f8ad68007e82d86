#include "profile/temporary_files.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillon::profile {

namespace {

constexpr std::string_view kTemporaryMark = ".quillon-tmp-";
constexpr std::size_t kRandomChars = 6;  // mkstemp's XXXXXX

bool is_random_part(std::string_view s)
{
    return s.size() == kRandomChars && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// mkstemp mixes cases and digits; a word a person chose rarely does.
bool looks_random(std::string_view s)
{
    const bool lower = std::any_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    const bool upper = std::any_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    const bool digit = std::any_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    return int(lower) + int(upper) + int(digit) >= 2;
}

} // namespace

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string temporary_template(const std::string& target)
{
    return target + std::string(kTemporaryMark) + std::string(kRandomChars, 'X');
}

bool is_own_temporary_name(std::string_view name, std::string_view profileName)
{
    if (profileName.empty() || name.size() <= profileName.size() || name.substr(0, profileName.size()) != profileName)
        return false;
    std::string_view rest = name.substr(profileName.size());
    if (rest.substr(0, kTemporaryMark.size()) == kTemporaryMark)
        return is_random_part(rest.substr(kTemporaryMark.size()));
    return rest.front() == '.' && is_random_part(rest.substr(1)) && looks_random(rest.substr(1));
}

void remove_stale_temporaries(const std::string& path)
{
    const std::string folder = folder_of(path);
    const std::string profileName = name_of(path);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return;
    std::vector<std::string> found;  // removed after the listing, which unlinking could disturb
    while (const dirent* entry = readdir(dir.get()))
        if (is_own_temporary_name(entry->d_name, profileName))
            found.push_back(folder + "/" + entry->d_name);
    for (const std::string& candidate : found) {
        struct stat st{};
        if (lstat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid())
            unlink(candidate.c_str());
    }
}

} // namespace quillon::profile
