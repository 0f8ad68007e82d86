// The subcommands of quillon-cli. Each returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace quillon::cli {

int find(const std::vector<std::string>& args);
int ports(const std::vector<std::string>& args);
int raw(const std::vector<std::string>& args);

// "Q30", "Q30-USB", "Q20" or "unknown".
std::string model_name(int model, int usb);

} // namespace quillon::cli
