// Enter and Tab in a page or dialog move on to the next control that takes
// input, as the device's configuration windows always did.
#pragma once

#include "platform/window.h"

namespace quillon {

// Focuses the next visible, enabled edit, check box, radio button or list
// after the focused control, in template order, wrapping round.
void focus_next_input(platform::Window& window);

} // namespace quillon
