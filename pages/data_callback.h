// Extras > "Data Call Back": the numbers whose data calls the device calls
// back, and the callback switch.
#pragma once

#include <string>

#include "shell/main_window.h"

namespace quillon {

// Reads the settings from the device, then runs the dialog; returns how it ended.
int run_data_callback_dialog(MainWindow& main);
// Runs the dialog on the settings the main window holds now, without reading
// the device first (the call acceptance page's "Call back").
int show_data_callback_dialog(MainWindow& main);

} // namespace quillon
