// Where a window opens: the application window in the middle of the
// screen, every dialog and status window in the middle of the application
// window (or of the screen while there is none), the same way every time.
#pragma once

#include <QRect>

class QWidget;

namespace quillon::gui {

// The top-left corner that puts a window of `size` in the middle of
// `over`, kept inside `screen` (the screen's available area).
QPoint centred_position(QSize size, const QRect& over, const QRect& screen);

// Moves `window` (not yet or already shown) to the middle of `over`'s
// window, or of the screen when `over` is null or hidden.
void place_centred(QWidget& window, const QWidget* over);

} // namespace quillon::gui
