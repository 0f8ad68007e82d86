#include "shell/config_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quillon {

std::string config_directory_name(const std::string& overrideDir, std::string& error)
{
    namespace fs = std::filesystem;
    fs::path dir;
    if (!overrideDir.empty()) {
        dir = overrideDir;
    } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        dir = fs::path(xdg) / "quillon";
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        dir = fs::path(home) / ".config" / "quillon";
    } else {
        error = "neither XDG_CONFIG_HOME nor HOME is set";
        return "";
    }
    std::string s = dir.string();
    if (s.back() != '/')
        s += '/';
    return s;
}

std::string config_directory(const std::string& overrideDir, std::string& error)
{
    namespace fs = std::filesystem;
    const std::string dir = config_directory_name(overrideDir, error);
    if (dir.empty())
        return "";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        error = dir + ": " + (ec ? ec.message() : "not a folder");
        return "";
    }
    return dir;
}

} // namespace quillon
