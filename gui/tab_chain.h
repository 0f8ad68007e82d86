// Keyboard focus order: a window's controls in the order its template lists
// them; statics, pictures and frames take no focus and stay out.
#pragma once

#include <map>
#include <vector>

#include <QWidget>

#include "gui/control_access.h"

namespace quillon::gui {

// Chains the focusable controls in `order` (control ids) one after another.
void apply_tab_order(const std::vector<int>& order, const std::map<int, ControlRecord>& controls);

// The control Tab (forward) or Shift+Tab moves to from `from` within
// `window`: the next enabled, shown control that takes the focus by Tab,
// going round at the end; null when there is none but `from`.
QWidget* next_in_tab_chain(const QWidget& window, QWidget& from, bool forward);

// Whether Tab stops at the widget.
bool takes_tab_focus(const QWidget& widget);

} // namespace quillon::gui
