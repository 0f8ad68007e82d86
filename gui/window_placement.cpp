#include "gui/window_placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace quillon::gui {
namespace {

QRect available_screen(const QWidget* near)
{
    QScreen* screen = near ? near->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QPoint centred_position(QSize size, const QRect& over, const QRect& screen)
{
    QPoint topLeft(over.x() + (over.width() - size.width()) / 2, over.y() + (over.height() - size.height()) / 2);
    if (screen.isValid()) {
        // A window larger than the screen shows its top-left part.
        topLeft.setX(std::max(screen.left(), std::min(topLeft.x(), screen.right() + 1 - size.width())));
        topLeft.setY(std::max(screen.top(), std::min(topLeft.y(), screen.bottom() + 1 - size.height())));
    }
    return topLeft;
}

void place_centred(QWidget& window, const QWidget* over)
{
    // A window never shown has not taken its size yet.
    window.ensurePolished();
    if (QLayout* layout = window.layout())
        layout->activate();
    const QWidget* target = over && over->isVisible() ? over->window() : nullptr;
    const QRect screen = available_screen(target ? target : &window);
    // Client areas are centred on each other: both frames add the same
    // title bar, so the frames end up centred as well.
    const QRect area = target ? target->geometry() : screen;
    window.setGeometry(QRect(centred_position(window.size(), area, screen), window.size()));
}

} // namespace quillon::gui
