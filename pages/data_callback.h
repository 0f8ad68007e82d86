// Extras > "Data Call Back": the numbers whose data calls the device calls
// back, and the callback switch.
#pragma once

#include <string>
#include <vector>

#include "shell/main_window.h"

namespace quillon {

// Reads the settings from the device, then runs the dialog; returns how it ended.
int run_data_callback_dialog(MainWindow& main);

// Sends the main window's callback settings to the device as a profile
// load does; returns the keys of the values the library refused to send.
std::vector<std::string> send_callback_settings(MainWindow& main);

} // namespace quillon
