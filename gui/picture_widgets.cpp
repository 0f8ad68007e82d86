#include "gui/picture_widgets.h"

#include <QMouseEvent>

#include <QPainter>

#include "gui/focus_frame.h"

namespace quillon::gui {
namespace {

void draw_picture(QWidget& widget, const Picture& picture)
{
    if (!picture)
        return;
    QPainter painter(&widget);
    picture->render(&painter, QRectF(QPointF(0, 0), QSizeF(natural_size(picture))));
}

} // namespace

PictureView::PictureView(Picture picture, QWidget* parent) : QWidget(parent), picture_(std::move(picture)) {}

void PictureView::set_picture(Picture picture)
{
    picture_ = std::move(picture);
    update();
}

QSize PictureView::sizeHint() const { return natural_size(picture_); }

void PictureView::paintEvent(QPaintEvent*) { draw_picture(*this, picture_); }

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    if (clicked_ && rect().contains(event->position().toPoint()))
        clicked_();
}

PictureButton::PictureButton(Picture normal, Picture pressed, QWidget* parent)
    : QAbstractButton(parent), normal_(std::move(normal)), pressed_(std::move(pressed))
{
    setFocusPolicy(Qt::StrongFocus);
}

QSize PictureButton::sizeHint() const { return natural_size(normal_); }

void PictureButton::paintEvent(QPaintEvent*)
{
    draw_picture(*this, isDown() && pressed_ ? pressed_ : normal_);
    QPainter painter(this);
    draw_focus_frame(*this, painter);
}

} // namespace quillon::gui
