// File > "Settings...": language, sound and the device's charge and
// dialling registers.
#pragma once

#include <string>

#include "shell/main_window.h"

namespace quillon {

// Runs the dialog on the general settings the main window has just read.
int run_settings_dialog(MainWindow& main);

// "  COM1 (/dev/ttyUSB0)": the port the device was found on and its device
// node; "  COM0" without a device.
std::string port_text(int comIndex);

} // namespace quillon
