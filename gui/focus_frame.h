// The focus mark of the owner-drawn controls: a dotted frame just inside
// the control while it has the keyboard focus.
#pragma once

#include <QPainter>
#include <QPen>
#include <QWidget>

namespace quillon::gui {

inline constexpr int kFocusFrameInset = 2;

inline void draw_focus_frame(const QWidget& widget, QPainter& painter)
{
    if (!widget.hasFocus())
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(widget.rect().adjusted(kFocusFrameInset, kFocusFrameInset, -kFocusFrameInset - 1,
                                            -kFocusFrameInset - 1));
    painter.restore();
}

} // namespace quillon::gui
