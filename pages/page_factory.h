// Puts the pages and the dialogs of the menu commands into the main window.
#pragma once

#include "shell/main_window.h"

namespace quillon {

void install_pages_and_dialogs(MainWindow& main);

} // namespace quillon
