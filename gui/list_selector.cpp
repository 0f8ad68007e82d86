#include "gui/list_selector.h"

#include <iterator>

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include "gui/focus_frame.h"

namespace quillon::gui {
namespace {

const QColor kField(255, 255, 255);
const QColor kButton(191, 191, 191);
const QColor kShadow(128, 128, 128);
const QColor kLight(223, 223, 223);
const QColor kHighlight(255, 255, 255);
const QColor kArrow(0, 0, 0);

constexpr int kArrowOffset = 6;         // from the button's left edge
constexpr int kArrowPressedOffset = 7;  // one pixel further while pressed
constexpr int kArrowRows[] = {5, 3, 1};

void frame(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

ListSelector::ListSelector(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }

void ListSelector::set_items(const QStringList& items, const QStringList& shown)
{
    items_ = items;
    shown_ = shown;
    if (current_ >= count())
        current_ = -1;
    update();
}

void ListSelector::set_current(int index)
{
    current_ = index >= 0 && index < count() ? index : -1;
    update();
}

QString ListSelector::current_item() const
{
    return current_ >= 0 && current_ < count() ? items_[current_] : QString();
}

QString ListSelector::current_shown() const
{
    if (current_ >= 0 && current_ < shown_.size() && !shown_[current_].isEmpty())
        return shown_[current_];
    return current_item();
}

void ListSelector::pick(int index)
{
    if (index < 0 || index >= count())
        return;
    set_current(index);
    if (on_picked)
        on_picked(index);
}

QRect ListSelector::button_field() const
{
    const int left = width() - kFieldLeftFromRight;
    const int right = width() - kFieldRightFromRight;
    return QRect(left, kFieldInset, right - left, height() - 2 * kFieldInset);
}

void ListSelector::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kField);
    frame(p, rect().adjusted(0, 0, -1, -1), kShadow, kLight);

    const QRect field = button_field();
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(kTextX, 0, field.left() - kTextX, height()),
               Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, current_shown());

    p.fillRect(field, kButton);
    const QRect edge = field.adjusted(0, 0, -1, -1);
    if (pressed_)
        frame(p, edge, kShadow, kShadow);
    else
        frame(p, edge, kHighlight, kShadow);

    const int x = field.left() + (pressed_ ? kArrowPressedOffset : kArrowOffset);
    int y = field.top() + (field.height() - static_cast<int>(std::size(kArrowRows))) / 2;
    p.setPen(kArrow);
    int indent = 0;
    for (int rowWidth : kArrowRows) {
        p.drawLine(x + indent, y, x + indent + rowWidth - 1, y);
        ++indent;
        ++y;
    }
    draw_focus_frame(*this, p);
}

void ListSelector::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled())
        open_menu();
}

void ListSelector::mouseReleaseEvent(QMouseEvent*) { set_pressed(false); }

void ListSelector::keyPressEvent(QKeyEvent* event)
{
    const bool opens = event->key() == Qt::Key_Space || event->key() == Qt::Key_F4 ||
                       (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (opens)
        open_menu();
    else
        QWidget::keyPressEvent(event);
}

void ListSelector::open_menu()
{
    // The menu runs its own loop, during which this selector may be
    // destroyed; it must not be the selector's child, and the selector is
    // looked at again only when it still exists.
    QPointer<ListSelector> self(this);
    QMenu menu;
    for (int i = 0; i < count(); ++i)
        menu.addAction(items_[i])->setData(i);
    set_pressed(true);
    QAction* chosen = menu.exec(mapToGlobal(rect().bottomLeft()));
    if (!self)
        return;
    set_pressed(false);
    if (chosen)
        pick(chosen->data().toInt());
}

void ListSelector::set_pressed(bool pressed)
{
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    update(button_field());
}

} // namespace quillon::gui
