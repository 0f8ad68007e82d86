// Turns a menu resource into the menu bar's menus. Captions keep their
// '&' marks: the toolkit reads them as mnemonics and "&&" as '&'.
#pragma once

#include <functional>

#include <QMenuBar>

#include "resources/menu.h"

namespace quillon::gui {

// Replaces the bar's menus; null leaves the bar empty. Every command calls
// `onCommand` with its id.
void fill_menu_bar(QMenuBar& bar, const resources::Menu* menu, const std::function<void(int)>& onCommand);

// Enables or greys out every command of the bar as `enabled(id)` says.
void enable_menu_commands(QMenuBar& bar, const std::function<bool(int)>& enabled);

} // namespace quillon::gui
