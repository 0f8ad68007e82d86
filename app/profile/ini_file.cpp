#include "profile/ini_file.h"

namespace quillon::profile {

int read_int(const std::string& path, std::string_view section, std::string_view key, int fallback)
{
    return IniDocument::open(path).read_int(section, key, fallback);
}

std::string read_string(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view fallback, std::size_t maxChars)
{
    return IniDocument::open(path).read_string(section, key, fallback, maxChars);
}

WriteResult write_string(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value)
{
    IniDocument doc = IniDocument::open(path);
    if (!doc.write_string(section, key, value))
        return {false, "the value cannot be stored in a profile", path};
    return doc.commit();
}

WriteResult write_int(const std::string& path, std::string_view section, std::string_view key, int value)
{
    return write_string(path, section, key, std::to_string(value));
}

} // namespace quillon::profile
