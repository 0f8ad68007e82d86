// Keys that turn the pages of the main window, as tabbed windows do:
// Ctrl+Tab and Ctrl+PgDown to the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// to the previous one.
#pragma once

#include <functional>

class QWidget;

namespace quillon::gui {

// `turn` gets +1 (next page) or -1 (previous page).
void install_page_shortcuts(QWidget& window, const std::function<void(int step)>& turn);

// Of `count` pages with `current` in front (-1: none), the one `step` away,
// going round at both ends.
int page_after(int current, int step, int count);

} // namespace quillon::gui
