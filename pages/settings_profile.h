// SET_DIV, the general settings in a profile: the language, the sound
// switch and the five texts of the settings dialog.
#pragma once

#include "shell/main_window.h"
#include "shell/value_report.h"

namespace quillon {

namespace profile {
class IniDocument;
}

void save_settings_section(profile::IniDocument& profile, MainWindow& main);
// Takes the language and the sound switch, then sends the language and the
// texts; a text the device did not take keeps the main window's old value.
void load_settings_section(const profile::IniDocument& profile, MainWindow& main, ValueReport& report);

} // namespace quillon
