// The subcommands of quillon-cli. Each returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace quillon::cli {

int find(const std::vector<std::string>& args);
int ports(const std::vector<std::string>& args);
int raw(const std::vector<std::string>& args);
// The program's pages without a screen (headless_program.h).
int show(const std::vector<std::string>& args);
int backup(const std::vector<std::string>& args);
int restore(const std::vector<std::string>& args);
int diff(const std::vector<std::string>& args);
int verify(const std::vector<std::string>& args);
int upgrade(const std::vector<std::string>& args);
// The device is emulated: the program's waits need no real time.
void use_emulated_device_timing();

// True when the command's arguments are only a request for its usage
// ("--help" or "-h"), which it then prints on standard output with status 0.
bool asks_for_help(const std::vector<std::string>& args);

// "Q30", "Q30-USB", "Q20" or "unknown".
std::string model_name(int model, int usb);

} // namespace quillon::cli
