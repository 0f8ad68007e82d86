// A start that failed, told on the desktop.
#pragma once

#include <string>

#include "platform/ui.h"

namespace quillon::gui {

// String base of the message shown when the configuration folder cannot
// be used.
inline constexpr int kConfigFolderUnusable = 9960;

// Shows why the program cannot start (English: the language lives in the
// folder that failed) in a message box.
void show_start_failure(platform::Ui& ui, const std::string& reason);

} // namespace quillon::gui
