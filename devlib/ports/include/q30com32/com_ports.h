// Which device node stands for COM1..COM8.
//
// The environment variable Q30COM32_COM<n> (n = 1..8) gives the path of COMn
// and is read at every open. Unset, USB adapters come first, since today's
// machines rarely have the classic ports.
#pragma once

#include <string>

namespace q30 {

inline constexpr int kComPortCount = 8;

// "Q30COM32_COM1" for index 0.
std::string com_variable(int comIndex);

// The path for COM index 0..7 (0 is COM1); empty for any other index.
std::string com_path(int comIndex);

// The built-in path when the variable is unset.
std::string default_com_path(int comIndex);

// Whether the variable of that COM index is set (to anything).
bool com_path_from_environment(int comIndex);

} // namespace q30
