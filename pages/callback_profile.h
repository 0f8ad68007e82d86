// BACK_DIV, the data callback in a profile: the switch and ten numbers.
#pragma once

#include "shell/main_window.h"
#include "shell/value_report.h"

namespace quillon {

namespace profile {
class IniDocument;
}

// Reads the device's callback settings first, then writes them.
void save_callback_section(profile::IniDocument& profile, MainWindow& main);
// Sends the switch and every number; a value the device did not take keeps
// the main window's old one.
void load_callback_section(const profile::IniDocument& profile, MainWindow& main, ValueReport& report);

} // namespace quillon
