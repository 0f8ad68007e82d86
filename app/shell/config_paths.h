// Where the program keeps its default profile and settings file: the user's
// configuration folder, $XDG_CONFIG_HOME/quillon/ or ~/.config/quillon/,
// unless --config-dir names another.
#pragma once

#include <string>

namespace quillon {

// The folder with its trailing '/', created when missing; empty when it
// cannot be created (with `error` set).
std::string config_directory(const std::string& overrideDir, std::string& error);

// The same folder's name, neither created nor checked.
std::string config_directory_name(const std::string& overrideDir, std::string& error);

} // namespace quillon
