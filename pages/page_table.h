// The pages of the ten page indexes and the dialogs of the menu commands,
// put into the main window.
#pragma once

#include "shell/main_window.h"

namespace quillon {

// The page for a page index: the built page, or the placeholder of a page
// still to be built.
std::unique_ptr<Page> make_page(ShellContext& shell, platform::Window& main, int index);

void install_pages_and_dialogs(MainWindow& main);

} // namespace quillon
