// Enter and Tab in a page or dialog move on to the next control that takes
// input, as the device's configuration windows always did.
#pragma once

#include <functional>

#include "platform/window.h"

namespace quillon {

// Focuses the next visible, enabled edit, check box, radio button or list
// after the focused control, in template order, wrapping round.
void focus_next_input(platform::Window& window);

// Enter and Tab in a dialog whose fields are confirmed one by one: `store`
// takes the controls, then the focus moves on; true when the key was taken
// (Escape is left to the dialog).
bool confirm_field_key(platform::Window& window, platform::Key key, const std::function<void()>& store);

} // namespace quillon
