#include "gui/progress_bar.h"

#include <algorithm>

#include <QPainter>

namespace quillon::gui {

namespace {
const QColor kDone(0, 50, 255);
const QColor kRest(175, 175, 175);
} // namespace

ProgressBarWidget::ProgressBarWidget(QWidget* parent) : QWidget(parent) {}

void ProgressBarWidget::set_progress(int position, int range)
{
    range_ = range;
    position_ = range <= 0 ? 0 : std::clamp(position, 0, range);
    update();
}

void ProgressBarWidget::set_text(const QString& text)
{
    text_ = text;
    update();
}

void ProgressBarWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int done = range_ > 0 ? static_cast<int>(static_cast<long long>(inner.width()) * position_ / range_) : 0;
    p.fillRect(inner, kRest);
    p.fillRect(QRect(inner.left(), inner.top(), done, inner.height()), kDone);
    if (!text_.isEmpty()) {
        // White over the blue part, black over the grey, so the text reads on both.
        const QRect doneRect(inner.left(), inner.top(), done, inner.height());
        p.setClipRect(doneRect);
        p.setPen(Qt::white);
        p.drawText(inner, Qt::AlignCenter, text_);
        p.setClipRegion(QRegion(inner).subtracted(QRegion(doneRect)));
        p.setPen(Qt::black);
        p.drawText(inner, Qt::AlignCenter, text_);
        p.setClipping(false);
    }
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quillon::gui
